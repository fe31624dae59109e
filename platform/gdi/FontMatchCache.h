#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace plat {

// What fontconfig chose for each family and style, kept between starts in a file of our
// own ($XDG_CACHE_HOME/quorix/fontmatch, else ~/.cache/quorix/fontmatch): loading
// fontconfig's configuration costs a start more than all the rest of its text, and the
// answer is the same every time until fonts or font settings change. The file is stamped
// with what would change the answer: the places where a configuration of the user's would
// appear and the locale, each with its state; every configuration file fontconfig read,
// the folders that held them and the font folders it scanned, named one a line, with
// their count and one digest of all their states (a font tree of thousands of folders
// adds a line each, not a state each); and each chosen file's size and modification
// time. Checking it takes stat calls only; when any of it differs the file is not used.
class FontMatchCache {
public:
    // A font file and the face in it; an empty file is the answer "nothing usable".
    struct Match {
        std::string file;
        int index = 0;
    };
    // A file as it was when fontconfig chose it.
    struct FileStamp {
        uint64_t size = 0;
        int64_t seconds = 0;
        int64_t nanoseconds = 0;
        bool operator==(const FileStamp&) const = default;
    };
    struct Entry {
        Match match;
        FileStamp file;
    };

    struct Stamp {
        // The fixed lines of CurrentStamp.
        std::vector<std::string> lines;
        // Every file and folder the configuration used, and the digest of their states.
        std::vector<std::string> paths;
        std::string digest;
        bool operator==(const Stamp&) const = default;
    };
    Stamp stamp;
    std::map<std::string, Entry> entries;

    // Bounds on the file: anything beyond them is a damaged file. The paths are far more
    // than the largest font trees have folders.
    static constexpr size_t kMaxBytes = 16 * 1024 * 1024;
    static constexpr size_t kMaxLine = 4096;
    static constexpr size_t kMaxEntries = 256;
    static constexpr size_t kMaxStampLines = 64;
    static constexpr size_t kMaxPaths = 100000;

    // False (and nothing kept) when the text is not a whole cache file.
    bool Parse(const std::string& text);
    std::string Serialize() const;

    // Reads the file at path; false when it is missing, damaged or stale.
    bool Load(const std::string& path);
    // Replaces the file at path (made 0700 folders on the way): a reader sees the old
    // file or the new one. Entries whose key or file a line cannot hold are left out.
    bool Save(const std::string& path) const;
    // The stamp still describes this machine and every chosen file is as it was.
    bool Holds() const;

    // The cache file; "" when the cache is off: FONTCONFIG_FILE or FONTCONFIG_PATH
    // point fontconfig elsewhere, or there is no home to keep it in.
    static std::string Path();
    // The fixed part of the stamp as things are now.
    static std::vector<std::string> CurrentStamp();
    // Whether a line of the file can name the path.
    static bool Nameable(const std::string& path);
    // The digest of the paths' states (which file each is, its time and size, or that it
    // is not there) as they are now.
    static std::string DigestOf(const std::vector<std::string>& paths);
    // False when the file cannot be looked at.
    static bool StampOf(const std::string& file, FileStamp& stamp);
};

} // namespace plat
