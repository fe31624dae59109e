#include "platform/gdi/FontLibrary.h"

#include "platform/system/Trace.h"
#include "platform/system/Utf8.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace plat {

std::shared_ptr<FontLibrary> FontLibrary::Get()
{
    static std::shared_ptr<FontLibrary> library = std::make_shared<FontLibrary>();
    return library;
}

FontLibrary::FontLibrary()
{
    if (FT_Init_FreeType(&m_ft) != 0)
        m_ft = nullptr;
    m_cachePath = FontMatchCache::Path();
    m_cached.Load(m_cachePath);
}

namespace {

    // The paths of the stamp, each once; ok turns false at a path no line can name.
    struct PathStamp {
        std::vector<std::string>& paths;
        std::set<std::string> seen;
        bool ok = true;

        void Add(const std::string& path)
        {
            ok = ok && FontMatchCache::Nameable(path);
            if (ok && seen.insert(path).second)
                paths.push_back(path);
        }
        // Every path of the list, which goes.
        void AddAll(FcStrList* list, std::set<std::string>* folders = nullptr)
        {
            ok = ok && list;
            if (!list)
                return;
            for (FcChar8* path; (path = FcStrListNext(list));) {
                const std::string text = reinterpret_cast<const char*>(path);
                Add(text);
                const size_t slash = text.rfind('/');
                if (folders && slash != std::string::npos && slash > 0)
                    folders->insert(text.substr(0, slash));
            }
            FcStrListDone(list);
        }
    };

    // What the configuration was made of: every file it read and the folders holding
    // them (a file added there changes the folder), and the font folders it scanned,
    // sub-folders included. Fontconfig's own cache folders are left out: what they hold
    // follows from the fonts, and any program's fontconfig writes there when it meets a
    // folder it has not seen, which says nothing of our answers. "" when it cannot be
    // stamped, else why not.
    std::string StampConfiguration(FcConfig* config, FontMatchCache::Stamp& stamp)
    {
        PathStamp paths { stamp.paths, {} };
        std::set<std::string> folders;
        paths.AddAll(FcConfigGetConfigFiles(config), &folders);
        for (const std::string& folder : folders)
            paths.Add(folder);
        paths.AddAll(FcConfigGetConfigDirs(config));
        paths.AddAll(FcConfigGetFontDirs(config));
        if (!paths.ok)
            return "a file or folder of the font configuration has a name a line cannot hold";
        if (stamp.paths.size() > FontMatchCache::kMaxPaths)
            return "the font configuration names more than " + std::to_string(FontMatchCache::kMaxPaths)
                + " files and folders";
        stamp.digest = FontMatchCache::DigestOf(stamp.paths);
        return "";
    }

    void TraceNotWritten(const std::string& why)
    {
        const std::string line = "[UX+] FontLibrary, the font match cache is not written: " + why + ".\n";
        OutputDebugStringW(DecodeUtf8(line).c_str());
    }

} // namespace

FcConfig* FontLibrary::Config()
{
    if (!m_configTried) {
        m_configTried = true;
        m_config = FcInitLoadConfigAndFonts();
        // Taken now that fontconfig has loaded and perhaps refreshed its own cache: the
        // answers it gives from here on are of this state. A configuration that cannot
        // be stamped whole is not kept for later starts.
        if (m_config && !m_cachePath.empty()) {
            m_stamp = { FontMatchCache::CurrentStamp(), {}, {} };
            if (const std::string why = StampConfiguration(m_config, m_stamp); !why.empty()) {
                TraceNotWritten(why);
                m_stamp = {};
            }
        }
    }
    return m_config;
}

FontLibrary::~FontLibrary()
{
    m_instances.clear();
    for (auto& [key, face] : m_faces)
        if (face)
            FT_Done_Face(face); // closes its stream
    m_streams.clear();
    if (m_ft)
        FT_Done_FreeType(m_ft);
    if (m_config)
        FcConfigDestroy(m_config);
}

FT_Face FontLibrary::OpenFace(const std::string& file, int index)
{
    if (!m_ft)
        return nullptr;
    auto key = std::make_pair(file, index);
    auto it = m_faces.find(key);
    if (it != m_faces.end())
        return it->second;
    FT_Face face = nullptr;
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (fd >= 0 && fstat(fd, &info) == 0 && info.st_size > 0) {
        auto stream = std::make_unique<FT_StreamRec>();
        stream->size = static_cast<unsigned long>(info.st_size);
        stream->descriptor.value = fd;
        stream->read = ReadStream;
        stream->close = CloseStream;
        FT_Open_Args args {};
        args.flags = FT_OPEN_STREAM;
        args.stream = stream.get();
        // FreeType closes the stream when the face goes, or at once when it fails.
        if (FT_Open_Face(m_ft, &args, index, &face) != 0)
            face = nullptr;
        m_streams.push_back(std::move(stream));
    } else if (fd >= 0) {
        ::close(fd);
    }
    m_faces.emplace(key, face); // a failure is remembered too
    return face;
}

unsigned long FontLibrary::ReadStream(FT_Stream stream, unsigned long offset, unsigned char* buffer, unsigned long count)
{
    // A count of 0 asks for a seek, which fails (non-zero) past the end.
    if (count == 0)
        return offset > stream->size ? 1 : 0;
    const int fd = static_cast<int>(stream->descriptor.value);
    if (fd < 0 || offset >= stream->size)
        return 0;
    unsigned long done = 0;
    while (done < count) {
        const ssize_t got = pread(fd, buffer + done, count - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += static_cast<unsigned long>(got);
    }
    return done;
}

void FontLibrary::CloseStream(FT_Stream stream)
{
    if (stream->descriptor.value >= 0)
        ::close(static_cast<int>(stream->descriptor.value));
    stream->descriptor.value = -1;
}

std::shared_ptr<FontInstance> FontLibrary::FindInstance(const std::string& key)
{
    auto it = m_instances.find(key);
    if (it == m_instances.end())
        return nullptr;
    auto instance = it->second.lock();
    if (!instance)
        m_instances.erase(it);
    return instance;
}

void FontLibrary::AddInstance(const std::string& key, const std::shared_ptr<FontInstance>& instance)
{
    for (auto it = m_instances.begin(); it != m_instances.end();) {
        if (it->second.expired())
            it = m_instances.erase(it);
        else
            ++it;
    }
    m_instances[key] = instance;
}

namespace {

    bool SameFamily(const std::string& a, const std::string& b)
    {
        return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
            return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
        });
    }

    bool HasFamily(FcPattern* font, const std::string& family)
    {
        FcChar8* name = nullptr;
        for (int i = 0; FcPatternGetString(font, FC_FAMILY, i, &name) == FcResultMatch; ++i) {
            if (SameFamily(reinterpret_cast<const char*>(name), family))
                return true;
        }
        return false;
    }

} // namespace

bool FontLibrary::MatchFile(
    const std::string& family, const char* lang, bool bold, bool italic, bool checkFamily, Match& found)
{
    const std::string key = family + "|" + (lang ? lang : "") + (bold ? "|b" : "|") + (italic ? "i" : "")
        + (checkFamily ? "|f" : "|");
    if (auto it = m_matches.find(key); it != m_matches.end()) {
        found = it->second.match;
    } else if (auto at = m_cached.entries.find(key); at != m_cached.entries.end()) {
        found = at->second.match;
    } else if (Config()) {
        found = AskFontconfig(family, lang, bold, italic, checkFamily);
        FontMatchCache::Entry entry { found, {} };
        const bool stamped = found.file.empty() || FontMatchCache::StampOf(found.file, entry.file);
        m_matches[key] = entry;
        if (stamped)
            SaveMatches();
    } else {
        found = {};
    }
    return !found.file.empty();
}

FontLibrary::Match FontLibrary::AskFontconfig(
    const std::string& family, const char* lang, bool bold, bool italic, bool checkFamily)
{
    Match found;
    FcResult result;
    FcPattern* pattern = MakePattern(family, lang, bold, italic);
    FcPattern* match = pattern ? FcFontMatch(m_config, pattern, &result) : nullptr;
    if (match && (!checkFamily || HasFamily(match, family)))
        FileOf(match, found.file, found.index);
    if (match)
        FcPatternDestroy(match);
    if (pattern)
        FcPatternDestroy(pattern);
    return found;
}

void FontLibrary::SaveMatches()
{
    if (m_cachePath.empty() || m_stamp.lines.empty())
        return;
    FontMatchCache cache;
    cache.stamp = m_stamp;
    // A file that could not be stamped (size 0) is not kept for later starts.
    for (const auto& [key, entry] : m_matches)
        if (entry.match.file.empty() || entry.file.size > 0)
            cache.entries.emplace(key, entry);
    // What the file held at start was true of the stamp it was checked against only.
    if (cache.stamp == m_cached.stamp)
        cache.entries.insert(m_cached.entries.begin(), m_cached.entries.end());
    if (!cache.Save(m_cachePath) && !m_saveFailed) {
        m_saveFailed = true; // said once: every new answer tries again
        TraceNotWritten("the file cannot be written at " + m_cachePath);
    }
}

FcPattern* FontLibrary::MakePattern(const std::string& family, const char* lang, bool bold, bool italic)
{
    FcConfig* config = Config();
    if (!config)
        return nullptr;
    FcPattern* pattern = FcPatternCreate();
    if (!family.empty())
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    if (lang)
        FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>(lang));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    return pattern;
}

bool FontLibrary::FileOf(FcPattern* font, std::string& file, int& index)
{
    FcChar8* path = nullptr;
    if (FcPatternGetString(font, FC_FILE, 0, &path) != FcResultMatch)
        return false;
    file = reinterpret_cast<const char*>(path);
    index = 0;
    FcPatternGetInteger(font, FC_INDEX, 0, &index);
    return true;
}

} // namespace plat
