#include "platform/system/FileSystem.h"

#include "platform/system/Utf8.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cwctype>
#include <vector>

namespace plat {

namespace {

    bool Exists(const std::string& path)
    {
        struct stat st;
        return lstat(path.c_str(), &st) == 0;
    }

    bool SameNoCase(const std::string& a, const std::string& b)
    {
        std::wstring wa = DecodeUtf8(a), wb = DecodeUtf8(b);
        if (wa.size() != wb.size())
            return false;
        for (size_t i = 0; i < wa.size(); ++i)
            if (std::towlower(static_cast<wint_t>(wa[i])) != std::towlower(static_cast<wint_t>(wb[i])))
                return false;
        return true;
    }

    // The entry of folder whose name equals name but for case; "" when there is none. The
    // first such name in sorted order wins, so the choice does not depend on the folder's order.
    std::string FindNoCase(const std::string& folder, const std::string& name)
    {
        DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
        if (!dir)
            return std::string();
        std::string best;
        while (dirent* e = readdir(dir)) {
            std::string entry = e->d_name;
            if (SameNoCase(entry, name) && (best.empty() || entry < best))
                best = entry;
        }
        closedir(dir);
        return best;
    }

} // namespace

std::string NativePath(const std::wstring& path)
{
    std::wstring slashed = path;
    for (wchar_t& c : slashed)
        if (c == L'\\')
            c = L'/';
    std::string native = EncodeUtf8(slashed);
    if (native.empty() || Exists(native))
        return native;

    // Walk the components, fixing the case of each that is missing as written.
    std::vector<std::string> parts;
    for (size_t pos = 0; pos < native.size();) {
        size_t slash = std::min(native.find('/', pos), native.size());
        if (slash > pos)
            parts.push_back(native.substr(pos, slash - pos));
        pos = slash + 1;
    }
    std::string result = native[0] == '/' ? "/" : "";
    bool lost = false;
    for (size_t i = 0; i < parts.size(); ++i) {
        std::string part = parts[i];
        if (!lost && part != "." && part != ".." && !Exists(result + part)) {
            std::string found = FindNoCase(result.empty() ? "." : result, part);
            if (found.empty())
                lost = true; // nothing below a missing folder can exist either
            else
                part = found;
        }
        result += part;
        if (i + 1 < parts.size() || native.back() == '/')
            result += '/';
    }
    return result;
}

std::wstring DesignedPath(const std::string& native)
{
    std::wstring out = DecodeUtf8(native);
    for (wchar_t& c : out)
        if (c == L'/')
            c = L'\\';
    return out;
}

FILE* OpenFile(const std::wstring& path, const char* mode)
{
    if (path.empty() || !mode)
        return nullptr;
    FILE* file = std::fopen(NativePath(path).c_str(), mode);
    // A folder opens for reading here, unlike on the phone, and then reads as garbage.
    struct stat st;
    if (file && (fstat(fileno(file), &st) != 0 || S_ISDIR(st.st_mode))) {
        std::fclose(file);
        return nullptr;
    }
    return file;
}

bool DeleteFile(const std::wstring& path)
{
    return !path.empty() && unlink(NativePath(path).c_str()) == 0;
}

bool WriteWholeFile(const std::wstring& path, const std::wstring& temporary, const void* data, size_t size)
{
    if (path.empty() || temporary.empty() || (!data && size))
        return false;
    const std::string target = NativePath(path);
    const std::string temp = NativePath(temporary);
    MakeFolders(temp.substr(0, temp.rfind('/')));
    int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    const auto* p = static_cast<const char*>(data);
    bool ok = true;
    while (ok && size > 0) {
        ssize_t n = write(fd, p, size);
        if (n < 0 && errno == EINTR)
            continue;
        ok = n > 0;
        if (ok) {
            p += n;
            size -= static_cast<size_t>(n);
        }
    }
    // On disk before it takes the name, or a crash could leave a short file there.
    ok = ok && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    if (!ok || rename(temp.c_str(), target.c_str()) != 0) {
        unlink(temp.c_str());
        return false;
    }
    return true;
}

std::string HomeFolder()
{
    const char* home = std::getenv("HOME");
    if (home && *home)
        return home;
    passwd* pw = getpwuid(getuid());
    return pw && pw->pw_dir ? pw->pw_dir : "";
}

std::string XdgFolder(const char* variable, const char* fallback)
{
    const char* value = std::getenv(variable);
    if (value && value[0] == '/')
        return value;
    const std::string home = HomeFolder();
    return home.empty() ? "" : home + fallback;
}

std::string GetCacheFolder()
{
    const std::string cache = XdgFolder("XDG_CACHE_HOME", "/.cache");
    return cache.empty() ? "" : cache + "/quorix";
}

bool ReadOwnFile(const std::string& native, size_t maxBytes, std::string& content)
{
    content.clear();
    const size_t slash = native.rfind('/');
    struct stat folder {};
    if (slash == std::string::npos || stat(slash == 0 ? "/" : native.substr(0, slash).c_str(), &folder) != 0
        || folder.st_uid != geteuid())
        return false;
    // Non-blocking, so that a FIFO put there cannot hold the start; what it is comes
    // from the open file itself.
    const int fd = open(native.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info {};
    bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == geteuid()
        && static_cast<uint64_t>(info.st_size) <= maxBytes;
    if (ok) {
        content.resize(static_cast<size_t>(info.st_size));
        size_t done = 0;
        while (done < content.size()) {
            const ssize_t got = read(fd, content.data() + done, content.size() - done);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                break;
            done += static_cast<size_t>(got);
        }
        ok = done == content.size();
    }
    close(fd);
    if (!ok)
        content.clear();
    return ok;
}

bool MakeFolders(const std::string& native)
{
    for (size_t pos = 1; (pos = native.find('/', pos)) != std::string::npos; ++pos)
        mkdir(native.substr(0, pos).c_str(), 0700);
    mkdir(native.c_str(), 0700);
    struct stat info {};
    return !native.empty() && stat(native.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::wstring GetDataFolder()
{
    return DesignedPath(XdgFolder("XDG_DATA_HOME", "/.local/share") + "/quorix/");
}

std::wstring GetModuleFileName()
{
    std::vector<char> buffer(4096);
    for (;;) {
        ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0)
            return std::wstring();
        if (static_cast<size_t>(n) < buffer.size())
            return DesignedPath(std::string(buffer.data(), static_cast<size_t>(n)));
        if (buffer.size() >= (1u << 20))
            return std::wstring();
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace plat
