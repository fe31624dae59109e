// The font match cache as read from disk: whatever parses must write out and read back
// to the same text, within the file's bounds; the same bytes read from a file give the
// same answer; and with this machine's stamp put in, a start checks every entry's file
// (those naming "font" name a file of the target's own).
#include "platform/gdi/FontMatchCache.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

// A folder of the target's own, gone at exit: the cache file and a font file to stamp.
struct Folder {
    Folder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "quorix-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data())) {
            path = pattern;
            if (FILE* font = std::fopen((path + "/font").c_str(), "wb")) {
                std::fputs("not a face, only stamped", font);
                std::fclose(font);
            }
        }
    }
    ~Folder()
    {
        std::error_code ignored;
        if (!path.empty())
            std::filesystem::remove_all(path, ignored);
    }
    bool Write(const std::string& text) const
    {
        FILE* file = std::fopen(Cache().c_str(), "wb");
        if (!file)
            return false;
        const bool whole = std::fwrite(text.data(), 1, text.size(), file) == text.size();
        return std::fclose(file) == 0 && whole;
    }
    std::string Cache() const { return path + "/fontmatch"; }

    std::string path;
};

const Folder& TheFolder()
{
    static const Folder folder;
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using plat::FontMatchCache;
    if (size > 2 * FontMatchCache::kMaxBytes)
        return 0;
    const std::string text(reinterpret_cast<const char*>(data), size);
    FontMatchCache cache;
    const bool parsed = cache.Parse(text);
    const Folder& folder = TheFolder();
    // From disk it is the same text, and a stamp from elsewhere never holds.
    if (!folder.path.empty() && folder.Write(text)) {
        FontMatchCache read;
        if (read.Load(folder.Cache()) && (!parsed || read.Serialize() != cache.Serialize()))
            std::abort();
    }
    if (!parsed)
        return 0;
    if (cache.entries.size() > FontMatchCache::kMaxEntries || cache.stamp.lines.size() > FontMatchCache::kMaxStampLines
        || cache.stamp.paths.size() > FontMatchCache::kMaxPaths)
        std::abort();
    const std::string written = cache.Serialize();
    FontMatchCache again;
    if (!again.Parse(written) || again.Serialize() != written)
        std::abort();
    if (folder.path.empty())
        return 0;

    // As this machine is now, with the target's font file among the paths (not its
    // folder, which every save changes), once more for each of the input's paths that
    // names "font": the entries decide. One naming "font" whose size is 0 gets the
    // file's true stamp.
    const std::string font = folder.path + "/font";
    FontMatchCache current;
    current.stamp.lines = FontMatchCache::CurrentStamp();
    current.stamp.paths.push_back(font);
    for (const std::string& path : cache.stamp.paths)
        if (path.ends_with("font"))
            current.stamp.paths.push_back(font);
    current.stamp.digest = FontMatchCache::DigestOf(current.stamp.paths);
    for (auto [key, entry] : cache.entries) {
        if (entry.match.file == "font") {
            entry.match.file = font;
            if (entry.file.size == 0)
                FontMatchCache::StampOf(entry.match.file, entry.file);
        }
        current.entries.emplace(key, entry);
    }
    if (!current.Save(folder.Cache()))
        return 0;
    FontMatchCache loaded;
    if (loaded.Load(folder.Cache()) && !loaded.Holds())
        std::abort();
    return 0;
}
