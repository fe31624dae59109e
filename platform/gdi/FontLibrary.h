#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

namespace plat {

class FontInstance;

// The process's FreeType library, its fontconfig configuration and the faces opened so
// far. Realised fonts share it (and keep it alive), so it goes only after the last font.
// Every use of FreeType happens under its mutex.
class FontLibrary {
public:
    static std::shared_ptr<FontLibrary> Get();

    FontLibrary();
    ~FontLibrary();
    FontLibrary(const FontLibrary&) = delete;
    FontLibrary& operator=(const FontLibrary&) = delete;

    std::mutex& Mutex() { return m_mutex; }
    FcConfig* Config() { return m_config; }
    bool IsUsable() const { return m_ft && m_config; }

    // The face in a font file, opened once and kept for the library's life; null when
    // FreeType cannot open it. The file is read, not mapped: a Hangul face is megabytes,
    // and glyphs spread over all of it would keep it all resident. Call with the mutex
    // held.
    FT_Face OpenFace(const std::string& file, int index);

    // Realised fonts are shared between handles with the same description. Call with the
    // mutex held.
    std::shared_ptr<FontInstance> FindInstance(const std::string& key);
    void AddInstance(const std::string& key, const std::shared_ptr<FontInstance>& instance);

    // What fontconfig chose for a family and style ("" file: nothing usable), kept so
    // that every size of a face asks it once. Call with the mutex held.
    struct Match {
        std::string file;
        int index = 0;
    };
    const Match* FindMatch(const std::string& key) const;
    void AddMatch(const std::string& key, const Match& match);

private:
    static unsigned long ReadStream(FT_Stream stream, unsigned long offset, unsigned char* buffer, unsigned long count);
    static void CloseStream(FT_Stream stream);

    std::mutex m_mutex;
    FT_Library m_ft = nullptr;
    FcConfig* m_config = nullptr;
    std::map<std::pair<std::string, int>, FT_Face> m_faces;
    // The streams the faces read their files through, closed with their faces.
    std::vector<std::unique_ptr<FT_StreamRec>> m_streams;
    std::map<std::string, std::weak_ptr<FontInstance>> m_instances;
    std::map<std::string, Match> m_matches;
};

} // namespace plat
