#include "platform/system/SingleInstance.h"

#include "platform/event/Thread.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace plat {

namespace {

    constexpr char kRaise[] = "raise\n";

    // A file-name-safe form of the instance name: letters and digits kept, the rest as
    // hex, cut so that the socket path fits.
    std::string SafeName(const std::wstring& name)
    {
        std::string out;
        for (wchar_t c : name) {
            if ((c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9'))
                out += static_cast<char>(c);
            else {
                char hex[12];
                std::snprintf(hex, sizeof hex, "_%x", static_cast<unsigned>(c));
                out += hex;
            }
        }
        if (out.size() > 48) {
            size_t hash = std::hash<std::string> {}(out);
            out = out.substr(0, 32) + "_" + std::to_string(hash % 1000000007u);
        }
        return out.empty() ? std::string("default") : out;
    }

    bool MakeFolder(const std::string& path)
    {
        if (mkdir(path.c_str(), 0700) == 0)
            return true;
        struct stat st;
        return errno == EEXIST && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    }

    bool FillAddress(sockaddr_un& address, const std::string& path)
    {
        std::memset(&address, 0, sizeof address);
        address.sun_family = AF_UNIX;
        if (path.size() >= sizeof address.sun_path)
            return false;
        std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
        return true;
    }

} // namespace

struct SingleInstance::Impl {
    std::string lockPath;
    std::string socketPath;
    std::function<void()> onRaise;
    int lockFd = -1;
    int listenFd = -1;
    int wakeFd = -1;
    Thread listener;

    void Listen()
    {
        for (;;) {
            pollfd fds[2] = { { listenFd, POLLIN, 0 }, { wakeFd, POLLIN, 0 } };
            if (poll(fds, 2, -1) < 0) {
                if (errno == EINTR)
                    continue;
                return;
            }
            if (fds[1].revents)
                return;
            if (!(fds[0].revents & POLLIN))
                continue;
            int peer = accept4(listenFd, nullptr, nullptr, SOCK_CLOEXEC);
            if (peer < 0)
                continue;
            // A short, bounded read: a peer that says nothing is dropped after a second.
            char buffer[sizeof kRaise] = {};
            pollfd in { peer, POLLIN, 0 };
            ssize_t n = 0;
            if (poll(&in, 1, 1000) > 0)
                n = recv(peer, buffer, sizeof kRaise - 1, 0);
            close(peer);
            if (n == static_cast<ssize_t>(sizeof kRaise - 1) && std::memcmp(buffer, kRaise, n) == 0
                && onRaise)
                onRaise();
        }
    }

    // Asks the holder to raise its window; it may still be binding its socket.
    bool AskHolder() const
    {
        sockaddr_un address;
        if (!FillAddress(address, socketPath))
            return false;
        for (int attempt = 0; attempt < 20; ++attempt) {
            int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
            if (fd < 0)
                return false;
            if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
                bool sent = send(fd, kRaise, sizeof kRaise - 1, MSG_NOSIGNAL)
                    == static_cast<ssize_t>(sizeof kRaise - 1);
                close(fd);
                return sent;
            }
            close(fd);
            Sleep(50);
        }
        return false;
    }

    void Stop()
    {
        if (wakeFd >= 0) {
            uint64_t one = 1;
            [[maybe_unused]] ssize_t n = write(wakeFd, &one, sizeof one);
        }
        listener.Join();
        if (listenFd >= 0) {
            close(listenFd);
            unlink(socketPath.c_str());
            listenFd = -1;
        }
        if (wakeFd >= 0) {
            close(wakeFd);
            wakeFd = -1;
        }
        if (lockFd >= 0) {
            close(lockFd); // lets go of the lock
            lockFd = -1;
        }
    }
};

SingleInstance::SingleInstance(const std::wstring& name, std::function<void()> onRaise)
    : m_impl(std::make_unique<Impl>())
{
    std::string folder = RuntimeFolder();
    std::string safe = SafeName(name);
    m_impl->lockPath = folder + "/" + safe + ".lock";
    m_impl->socketPath = folder + "/" + safe + ".sock";
    m_impl->onRaise = std::move(onRaise);
}

SingleInstance::~SingleInstance()
{
    m_impl->Stop();
}

std::string SingleInstance::RuntimeFolder()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::string base = runtime && *runtime ? std::string(runtime) : "/tmp/quorix-" + std::to_string(getuid());
    MakeFolder(base);
    return base + "/quorix";
}

bool SingleInstance::IsHeld() const
{
    return m_impl->lockFd >= 0;
}

bool SingleInstance::Acquire()
{
    Impl& d = *m_impl;
    if (d.lockFd >= 0)
        return true;
    std::string folder = d.lockPath.substr(0, d.lockPath.rfind('/'));
    if (!MakeFolder(folder))
        return false;
    int fd = open(d.lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        d.AskHolder();
        return false;
    }
    d.lockFd = fd;

    // The lock is ours, so a socket file left behind is stale.
    unlink(d.socketPath.c_str());
    sockaddr_un address;
    int listenFd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listenFd >= 0 && FillAddress(address, d.socketPath)
        && bind(listenFd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0
        && listen(listenFd, 4) == 0) {
        d.listenFd = listenFd;
        d.wakeFd = eventfd(0, EFD_CLOEXEC);
        if (d.wakeFd < 0 || !d.listener.Start([&d] { d.Listen(); })) {
            // Still the only instance; a second start just cannot raise this one.
            close(d.listenFd);
            unlink(d.socketPath.c_str());
            d.listenFd = -1;
        }
    } else if (listenFd >= 0) {
        close(listenFd);
    }
    return true;
}

} // namespace plat
