#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/gdi/FontMatchCache.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

namespace plat {

class FontInstance;

// The process's FreeType library, its fontconfig configuration and the faces opened so
// far. Realised fonts share it (and keep it alive), so it goes only after the last font.
// Every use of FreeType and fontconfig happens under its mutex. Fontconfig's
// configuration is loaded only when an answer is not in the match cache.
class FontLibrary {
public:
    static std::shared_ptr<FontLibrary> Get();

    FontLibrary();
    ~FontLibrary();
    FontLibrary(const FontLibrary&) = delete;
    FontLibrary& operator=(const FontLibrary&) = delete;

    std::mutex& Mutex() { return m_mutex; }
    // Loaded on first use; null when fontconfig cannot load. Call with the mutex held.
    FcConfig* Config();
    bool ConfigLoaded() const { return m_configTried; }
    bool IsUsable() const { return m_ft != nullptr; }

    // The face in a font file, opened once and kept for the library's life; null when
    // FreeType cannot open it. The file is read, not mapped: a Hangul face is megabytes,
    // and glyphs spread over all of it would keep it all resident. Call with the mutex
    // held.
    FT_Face OpenFace(const std::string& file, int index);

    // Realised fonts are shared between handles with the same description. Call with the
    // mutex held.
    std::shared_ptr<FontInstance> FindInstance(const std::string& key);
    void AddInstance(const std::string& key, const std::shared_ptr<FontInstance>& instance);

    // The file fontconfig matches for the family and style (lang may be null); with
    // checkFamily, only when the match is of that family. False when nothing usable
    // matches. Sizes do not take part, so each family and style is asked once and the
    // answer kept, here and in the match cache for later starts. Call with the mutex held.
    using Match = FontMatchCache::Match;
    bool MatchFile(const std::string& family, const char* lang, bool bold, bool italic, bool checkFamily,
        Match& found);

    // A request for fontconfig with our defaults and the configuration's substitutions;
    // null without a configuration. Call with the mutex held.
    FcPattern* MakePattern(const std::string& family, const char* lang, bool bold, bool italic);
    // The file and face index of a font fontconfig listed.
    static bool FileOf(FcPattern* font, std::string& file, int& index);

private:
    Match AskFontconfig(const std::string& family, const char* lang, bool bold, bool italic, bool checkFamily);
    void SaveMatches();

    static unsigned long ReadStream(FT_Stream stream, unsigned long offset, unsigned char* buffer, unsigned long count);
    static void CloseStream(FT_Stream stream);

    std::mutex m_mutex;
    FT_Library m_ft = nullptr;
    FcConfig* m_config = nullptr;
    bool m_configTried = false;
    std::map<std::pair<std::string, int>, FT_Face> m_faces;
    // The streams the faces read their files through, closed with their faces.
    std::vector<std::unique_ptr<FT_StreamRec>> m_streams;
    std::map<std::string, std::weak_ptr<FontInstance>> m_instances;
    // Answers fontconfig gave this process, and those the match cache held at start.
    std::map<std::string, FontMatchCache::Entry> m_matches;
    FontMatchCache m_cached;
    std::string m_cachePath;
    // The match cache's stamp as things stood when the configuration was loaded; empty
    // when the configuration could not be stamped.
    FontMatchCache::Stamp m_stamp;
    bool m_saveFailed = false;
};

} // namespace plat
