#include "platform/system/Registry.h"

#include "platform/system/FileSystem.h"
#include "platform/system/Trace.h"
#include "platform/system/Utf8.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <mutex>

namespace plat {

struct RegistryKeyHandle {
    std::wstring path;
};

namespace {

    RegistryKeyHandle g_currentUser;

    // Bigger than any registry this program writes; a file beyond it is not ours.
    constexpr off_t kMaxFileSize = 16 * 1024 * 1024;

    struct State {
        std::mutex mutex;
        bool loaded = false;
        std::string path;
        bool readOnly = false;
        RegistryStore store;
    };

    State& GetState()
    {
        static State state;
        return state;
    }

    void Trace(const std::string& text)
    {
        OutputDebugStringW(DecodeUtf8(text).c_str());
    }

    std::string Env(const char* name)
    {
        const char* v = std::getenv(name);
        return v ? v : "";
    }

    void MakeFolders(const std::string& file)
    {
        for (size_t pos = 1; (pos = file.find('/', pos)) != std::string::npos; ++pos)
            mkdir(file.substr(0, pos).c_str(), 0700);
    }

    // Moves a damaged file to "<path>.damaged-<time>" (never over another file).
    bool MoveAside(const std::string& path, std::string* moved)
    {
        char stamp[32];
        time_t now = time(nullptr);
        tm local {};
        localtime_r(&now, &local);
        strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
        for (int i = 0; i < 100; ++i) {
            std::string target = path + ".damaged-" + stamp + (i ? "-" + std::to_string(i) : "");
            struct stat st;
            if (lstat(target.c_str(), &st) == 0)
                continue;
            if (rename(path.c_str(), target.c_str()) != 0)
                return false;
            *moved = target;
            return true;
        }
        return false;
    }

    void Load(State& s, const std::string& path)
    {
        s.loaded = true;
        s.path = path;
        s.readOnly = false;
        s.store.Clear();
        int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            if (errno != ENOENT) {
                s.readOnly = true;
                Trace("[UX+] Registry: cannot read " + path + " (" + std::strerror(errno)
                    + "), settings will not be saved.\n");
            }
            return;
        }
        std::string text;
        struct stat st;
        bool ok = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= kMaxFileSize;
        if (ok) {
            char buffer[8192];
            for (;;) {
                ssize_t n = read(fd, buffer, sizeof buffer);
                if (n < 0 && errno == EINTR)
                    continue;
                if (n < 0) {
                    ok = false;
                    break;
                }
                if (n == 0)
                    break;
                text.append(buffer, static_cast<size_t>(n));
                if (text.size() > static_cast<size_t>(kMaxFileSize)) {
                    ok = false;
                    break;
                }
            }
        }
        close(fd);
        if (ok && s.store.Parse(text))
            return;
        std::string moved;
        if (MoveAside(path, &moved)) {
            Trace("[UX+] Registry: " + path + " is damaged, moved to " + moved + ".\n");
        } else {
            s.readOnly = true;
            Trace("[UX+] Registry: " + path
                + " is damaged and cannot be moved aside, settings will not be saved.\n");
        }
    }

    // The store for the current path, loaded on first use and again when the path changes.
    RegistryStore& Current(State& s)
    {
        std::string path = RegistryFilePath();
        if (!s.loaded || path != s.path)
            Load(s, path);
        return s.store;
    }

    bool WriteAll(int fd, const std::string& data)
    {
        size_t done = 0;
        while (done < data.size()) {
            ssize_t n = write(fd, data.data() + done, data.size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            done += static_cast<size_t>(n);
        }
        return true;
    }

    // Replaces the file with the store's text: a reader sees the old file or the new one.
    bool Persist(State& s)
    {
        if (s.readOnly)
            return false;
        MakeFolders(s.path);
        std::string temp = s.path + ".tmp-XXXXXX";
        int fd = mkostemp(temp.data(), O_CLOEXEC);
        if (fd < 0)
            return false;
        bool ok = fchmod(fd, 0600) == 0 && WriteAll(fd, s.store.Serialize()) && fsync(fd) == 0;
        ok = close(fd) == 0 && ok;
        if (!ok || rename(temp.c_str(), s.path.c_str()) != 0) {
            unlink(temp.c_str());
            return false;
        }
        std::string folder = s.path.substr(0, s.path.rfind('/') + 1);
        int dir = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir >= 0) {
            fsync(dir);
            close(dir);
        }
        return true;
    }

    std::wstring Join(HKEY root, const wchar_t* subKey)
    {
        std::wstring path = root->path;
        if (subKey && *subKey) {
            if (!path.empty())
                path += L'\\';
            path += subKey;
        }
        return path;
    }

} // namespace

const HKEY HKEY_CURRENT_USER = &g_currentUser;

std::string RegistryFilePath()
{
    std::string path = Env("QUORIX_REGISTRY");
    if (!path.empty())
        return path;
    const std::string config = XdgFolder("XDG_CONFIG_HOME", "/.config");
    return (config.empty() ? "/.config" : config) + "/quorix/registry";
}

long RegCreateKeyExW(HKEY root, const wchar_t* subKey, uint32_t, HKEY* result)
{
    if (!root || !result)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    State& s = GetState();
    std::lock_guard<std::mutex> lock(s.mutex);
    RegistryStore& store = Current(s);
    std::wstring path = Join(root, subKey);
    std::wstring normalized;
    if (!RegistryStore::NormalizePath(path, &normalized))
        return ERROR_INVALID_PARAMETER;
    if (!store.HasKey(normalized)) {
        RegistryStore before = store;
        store.CreateKey(normalized);
        if (!Persist(s)) {
            store = before;
            return s.readOnly ? ERROR_ACCESS_DENIED : ERROR_WRITE_FAULT;
        }
    }
    *result = new RegistryKeyHandle { normalized };
    return ERROR_SUCCESS;
}

long RegOpenKeyExW(HKEY root, const wchar_t* subKey, uint32_t, HKEY* result)
{
    if (!root || !result)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    State& s = GetState();
    std::lock_guard<std::mutex> lock(s.mutex);
    std::wstring normalized;
    if (!RegistryStore::NormalizePath(Join(root, subKey), &normalized))
        return ERROR_INVALID_PARAMETER;
    if (!Current(s).HasKey(normalized))
        return ERROR_FILE_NOT_FOUND;
    *result = new RegistryKeyHandle { normalized };
    return ERROR_SUCCESS;
}

long RegCloseKey(HKEY key)
{
    if (!key)
        return ERROR_INVALID_HANDLE;
    if (key != HKEY_CURRENT_USER)
        delete key;
    return ERROR_SUCCESS;
}

long RegSetValueExW(HKEY key, const wchar_t* name, uint32_t type, const void* data, uint32_t size)
{
    if (!key)
        return ERROR_INVALID_HANDLE;
    if (size && !data)
        return ERROR_INVALID_PARAMETER;
    State& s = GetState();
    std::lock_guard<std::mutex> lock(s.mutex);
    RegistryStore& store = Current(s);
    if (!store.HasKey(key->path))
        return ERROR_FILE_NOT_FOUND; // gone with a switch to another file
    RegistryStore before = store;
    if (!store.SetValue(key->path, name ? name : L"", type, static_cast<const uint8_t*>(data), size))
        return ERROR_INVALID_PARAMETER;
    if (!Persist(s)) {
        store = before;
        return s.readOnly ? ERROR_ACCESS_DENIED : ERROR_WRITE_FAULT;
    }
    return ERROR_SUCCESS;
}

long RegQueryValueExW(HKEY key, const wchar_t* name, uint32_t* type, void* data, uint32_t* size)
{
    if (!key)
        return ERROR_INVALID_HANDLE;
    if (data && !size)
        return ERROR_INVALID_PARAMETER;
    State& s = GetState();
    std::lock_guard<std::mutex> lock(s.mutex);
    const RegistryStore::Value* v = Current(s).GetValue(key->path, name ? name : L"");
    if (!v)
        return ERROR_FILE_NOT_FOUND;
    if (type)
        *type = v->type;
    auto needed = static_cast<uint32_t>(v->data.size());
    if (!size)
        return ERROR_SUCCESS;
    if (data && *size < needed) {
        *size = needed;
        return ERROR_MORE_DATA;
    }
    if (data && needed)
        std::memcpy(data, v->data.data(), needed);
    *size = needed;
    return ERROR_SUCCESS;
}

} // namespace plat
