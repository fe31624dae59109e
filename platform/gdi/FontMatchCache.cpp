#include "platform/gdi/FontMatchCache.h"

#include "platform/system/FileSystem.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <set>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace plat {

namespace {

    // A file of an earlier version is not read: it is stale, and replaced.
    constexpr std::string_view kHeader = "Quorix font matches 2";

    std::string Env(const char* name)
    {
        const char* value = std::getenv(name);
        return value ? value : "";
    }

    // Decimal digits, optionally after a '-', at most max in size.
    bool ParseNumber(std::string_view text, int64_t max, bool negative, int64_t& out)
    {
        bool minus = false;
        if (negative && !text.empty() && text[0] == '-') {
            minus = true;
            text.remove_prefix(1);
        }
        if (text.empty() || text.size() > 19)
            return false;
        int64_t value = 0;
        for (char c : text) {
            if (c < '0' || c > '9' || value > (max - (c - '0')) / 10)
                return false;
            value = value * 10 + (c - '0');
        }
        out = minus ? -value : value;
        return true;
    }

    bool ParseEntry(std::string_view line, std::string& key, FontMatchCache::Entry& entry)
    {
        std::string_view fields[6];
        for (size_t i = 0; i < 6; ++i) {
            const size_t tab = line.find('\t');
            if ((tab == std::string_view::npos) != (i == 5))
                return false;
            fields[i] = line.substr(0, tab);
            line.remove_prefix(tab == std::string_view::npos ? line.size() : tab + 1);
        }
        int64_t index = 0, size = 0, seconds = 0, nanoseconds = 0;
        if (fields[0].empty() || !ParseNumber(fields[2], INT32_MAX, false, index)
            || !ParseNumber(fields[3], INT64_MAX, false, size) || !ParseNumber(fields[4], INT64_MAX, true, seconds)
            || !ParseNumber(fields[5], 999999999, false, nanoseconds))
            return false;
        key = fields[0];
        entry.match = { std::string(fields[1]), int(index) };
        entry.file = { uint64_t(size), seconds, nanoseconds };
        return true;
    }

    // What a folder or file on the stamp looks like now (behind any link): which file it
    // is, when it last changed and its size, or "-" when it is not there.
    std::string StateOf(const std::string& path)
    {
        struct stat info {};
        if (path.empty() || stat(path.c_str(), &info) != 0)
            return "-";
        return std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino) + ":"
            + std::to_string(info.st_mtim.tv_sec) + "." + std::to_string(info.st_mtim.tv_nsec) + ":"
            + std::to_string(info.st_size);
    }

    // "D <count> <digest>": the digest is 16 lower-case hexadecimal digits.
    bool ParseDigest(std::string_view text, size_t& count, std::string& digest)
    {
        const size_t blank = text.find(' ');
        int64_t number = 0;
        if (blank == std::string_view::npos
            || !ParseNumber(text.substr(0, blank), FontMatchCache::kMaxPaths, false, number))
            return false;
        const std::string_view hex = text.substr(blank + 1);
        if (hex.size() != 16 || hex.find_first_not_of("0123456789abcdef") != std::string_view::npos)
            return false;
        count = size_t(number);
        digest = hex;
        return true;
    }

    bool Fits(const std::string& text)
    {
        return text.find_first_of("\t\n") == std::string::npos;
    }

} // namespace

bool FontMatchCache::Parse(const std::string& text)
{
    stamp = {};
    entries.clear();
    bool ok = text.size() <= kMaxBytes && !text.empty() && text.back() == '\n';
    bool first = true;
    bool digested = false;
    size_t count = 0;
    for (size_t at = 0; ok && at < text.size();) {
        const size_t end = text.find('\n', at);
        const std::string_view line(text.data() + at, end - at);
        at = end + 1;
        if (line.size() > kMaxLine) {
            ok = false;
        } else if (first) {
            ok = line == kHeader;
            first = false;
        } else if (line.starts_with("S ")) {
            ok = stamp.lines.size() < kMaxStampLines;
            if (ok)
                stamp.lines.emplace_back(line.substr(2));
        } else if (line.starts_with("P ")) {
            ok = stamp.paths.size() < kMaxPaths && line.size() > 2;
            if (ok)
                stamp.paths.emplace_back(line.substr(2));
        } else if (line.starts_with("D ")) {
            ok = !digested && ParseDigest(line.substr(2), count, stamp.digest);
            digested = true;
        } else if (line.starts_with("M ")) {
            std::string key;
            Entry entry;
            ok = entries.size() < kMaxEntries && ParseEntry(line.substr(2), key, entry)
                && entries.emplace(std::move(key), std::move(entry)).second;
        } else {
            ok = false;
        }
    }
    ok = ok && digested && count == stamp.paths.size();
    if (!ok) {
        stamp = {};
        entries.clear();
    }
    return ok;
}

std::string FontMatchCache::Serialize() const
{
    std::string text(kHeader);
    text += '\n';
    for (const std::string& line : stamp.lines)
        text += "S " + line + "\n";
    for (const std::string& path : stamp.paths)
        text += "P " + path + "\n";
    text += "D " + std::to_string(stamp.paths.size()) + " " + stamp.digest + "\n";
    for (const auto& [key, entry] : entries) {
        text += "M " + key + "\t" + entry.match.file + "\t" + std::to_string(entry.match.index) + "\t"
            + std::to_string(entry.file.size) + "\t" + std::to_string(entry.file.seconds) + "\t"
            + std::to_string(entry.file.nanoseconds) + "\n";
    }
    return text;
}

bool FontMatchCache::Load(const std::string& path)
{
    stamp = {};
    entries.clear();
    std::string text;
    if (!path.empty() && ReadOwnFile(path, kMaxBytes, text) && Parse(text) && Holds())
        return true;
    stamp = {};
    entries.clear();
    return false;
}

bool FontMatchCache::Save(const std::string& path) const
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos || slash == 0)
        return false;
    const std::string folder = path.substr(0, slash);
    if (!MakeFolders(folder))
        return false;
    // A stamp no line can hold would not read back.
    for (const std::string& line : stamp.lines)
        if (line.find('\n') != std::string::npos || line.size() + 2 > kMaxLine)
            return false;
    for (const std::string& named : stamp.paths)
        if (!Nameable(named))
            return false;
    FontMatchCache kept;
    kept.stamp = stamp;
    for (const auto& [key, entry] : entries)
        if (!key.empty() && Fits(key) && Fits(entry.match.file) && key.size() + entry.match.file.size() < kMaxLine - 80
            && kept.entries.size() < kMaxEntries)
            kept.entries.emplace(key, entry);
    const std::string text = kept.Serialize();
    if (text.size() > kMaxBytes)
        return false;
    std::string temp = path + ".tmp-XXXXXX";
    const int fd = mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    // No fsync: a file lost in a crash costs one start that asks fontconfig again.
    bool ok = true;
    for (size_t done = 0; ok && done < text.size();) {
        const ssize_t wrote = write(fd, text.data() + done, text.size() - done);
        if (wrote < 0 && errno == EINTR)
            continue;
        ok = wrote > 0;
        done += ok ? size_t(wrote) : 0;
    }
    ok = close(fd) == 0 && ok;
    if (!ok || rename(temp.c_str(), path.c_str()) != 0) {
        unlink(temp.c_str());
        return false;
    }
    return true;
}

bool FontMatchCache::Holds() const
{
    if (stamp.lines != CurrentStamp() || stamp.digest != DigestOf(stamp.paths))
        return false;
    std::set<std::string> checked;
    for (const auto& [key, entry] : entries) {
        const std::string& file = entry.match.file;
        if (file.empty() || !checked.insert(file).second)
            continue;
        FileStamp now;
        if (!StampOf(file, now) || !(now == entry.file))
            return false;
    }
    return true;
}

std::string FontMatchCache::Path()
{
    if (!Env("FONTCONFIG_FILE").empty() || !Env("FONTCONFIG_PATH").empty() || !Env("FONTCONFIG_SYSROOT").empty())
        return "";
    const std::string cache = GetCacheFolder();
    return cache.empty() ? "" : cache + "/fontmatch";
}

std::vector<std::string> FontMatchCache::CurrentStamp()
{
    const std::string home = HomeFolder();
    const std::string config = XdgFolder("XDG_CONFIG_HOME", "/.config");
    const std::string user = config.empty() ? "" : config + "/fontconfig";
    const std::string data = XdgFolder("XDG_DATA_HOME", "/.local/share");
    // Labels rather than paths: a folder that is not there gives the same answer
    // wherever it is looked for.
    const std::pair<const char*, std::string> places[] = {
        { "fonts.conf", "/etc/fonts/fonts.conf" },
        { "conf.d", "/etc/fonts/conf.d" },
        { "local.conf", "/etc/fonts/local.conf" },
        { "user", user },
        { "user-fonts.conf", user.empty() ? "" : user + "/fonts.conf" },
        { "user-conf.d", user.empty() ? "" : user + "/conf.d" },
        { "home-fonts.conf", home.empty() ? "" : home + "/.fonts.conf" },
        { "home-fonts.conf.d", home.empty() ? "" : home + "/.fonts.conf.d" },
        { "home-fonts", home.empty() ? "" : home + "/.fonts" },
        { "data-fonts", data.empty() ? "" : data + "/fonts" },
        { "share-fonts", "/usr/share/fonts" },
        { "local-fonts", "/usr/local/share/fonts" },
    };
    std::vector<std::string> lines;
    for (const auto& [label, path] : places)
        lines.push_back(std::string(label) + " " + StateOf(path));
    // The locale picks among faces when a request names no language.
    for (const char* name : { "FC_LANG", "LC_ALL", "LC_CTYPE", "LANG" }) {
        std::string value = Env(name);
        for (char& c : value)
            if (c == '\n')
                c = ' ';
        lines.push_back(std::string(name) + "=" + value.substr(0, 256));
    }
    return lines;
}

bool FontMatchCache::Nameable(const std::string& path)
{
    return !path.empty() && path.find('\n') == std::string::npos && path.size() + 2 <= kMaxLine;
}

std::string FontMatchCache::DigestOf(const std::vector<std::string>& paths)
{
    // 64-bit FNV-1a over each path and its state: no adversary here, only change.
    uint64_t hash = 0xcbf29ce484222325u;
    const auto add = [&hash](const std::string& text) {
        for (const char c : text) {
            hash ^= static_cast<unsigned char>(c);
            hash *= 0x100000001b3u;
        }
        hash *= 0x100000001b3u; // a zero byte ends the field: no path or state holds one
    };
    for (const std::string& path : paths) {
        add(path);
        add(StateOf(path));
    }
    static const char hex[] = "0123456789abcdef";
    std::string digest(16, '0');
    for (int i = 15; i >= 0; --i, hash >>= 4)
        digest[size_t(i)] = hex[hash & 0xF];
    return digest;
}

bool FontMatchCache::StampOf(const std::string& file, FileStamp& stamp)
{
    struct stat info {};
    if (stat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    stamp = { uint64_t(info.st_size), int64_t(info.st_mtim.tv_sec), int64_t(info.st_mtim.tv_nsec) };
    return true;
}

} // namespace plat
