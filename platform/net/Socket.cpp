#include "platform/net/Socket.h"

#include "platform/net/HostLookup.h"
#include "platform/net/NetError.h"

#include <arpa/inet.h>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace plat {

namespace {

    int FailWithErrno()
    {
        WSASetLastError(WsaErrorFromErrno(errno));
        return SOCKET_ERROR;
    }

    // A blocking socket whose send or receive time-out ran out reports EAGAIN here; Winsock
    // calls that a time-out.
    int FailTransfer(SOCKET socket)
    {
        int error = errno;
        if ((error == EAGAIN || error == EWOULDBLOCK) && !IsNonBlocking(socket)) {
            WSASetLastError(WSAETIMEDOUT);
            return SOCKET_ERROR;
        }
        WSASetLastError(WsaErrorFromErrno(error));
        return SOCKET_ERROR;
    }

    sockaddr_in ToSockaddr(const SocketAddress& address)
    {
        sockaddr_in in {};
        in.sin_family = AF_INET;
        in.sin_port = address.port;
        in.sin_addr.s_addr = address.address;
        return in;
    }

} // namespace

uint16_t HostToNetwork16(uint16_t value)
{
    return htons(value);
}

uint16_t NetworkToHost16(uint16_t value)
{
    return ntohs(value);
}

uint32_t InetAddr(const char* text)
{
    return text ? inet_addr(text) : INADDR_NONE;
}

bool ResolveHostName(const char* name, uint32_t* address)
{
    if (!name || !*name || !LookUpHostName(name, address)) {
        WSASetLastError(WSAHOST_NOT_FOUND);
        return false;
    }
    return true;
}

SOCKET CreateTcpSocket()
{
    // TLS writes go through the library's own write(), which raises SIGPIPE when the
    // server has gone: that must come back as an error, not end the program.
    static const bool quiet = (std::signal(SIGPIPE, SIG_IGN), true);
    (void)quiet;
    int s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (s < 0)
        return FailWithErrno();
    return s;
}

int CloseSocket(SOCKET socket)
{
    if (socket < 0) {
        WSASetLastError(WSAENOTSOCK);
        return SOCKET_ERROR;
    }
    return ::close(socket) == 0 ? 0 : FailWithErrno();
}

int ShutdownSocket(SOCKET socket)
{
    if (socket < 0) {
        WSASetLastError(WSAENOTSOCK);
        return SOCKET_ERROR;
    }
    return ::shutdown(socket, SHUT_RDWR) == 0 ? 0 : FailWithErrno();
}

bool SetSocketTimeouts(SOCKET socket, int milliseconds)
{
    timeval tv {};
    tv.tv_sec = milliseconds / 1000;
    tv.tv_usec = (milliseconds % 1000) * 1000;
    if (setsockopt(socket, SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof tv) != 0
        || setsockopt(socket, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv) != 0) {
        FailWithErrno();
        return false;
    }
    return true;
}

bool SetNonBlocking(SOCKET socket, bool nonBlocking)
{
    int flags = fcntl(socket, F_GETFL, 0);
    if (flags < 0) {
        FailWithErrno();
        return false;
    }
    flags = nonBlocking ? (flags | O_NONBLOCK) : (flags & ~O_NONBLOCK);
    if (fcntl(socket, F_SETFL, flags) != 0) {
        FailWithErrno();
        return false;
    }
    return true;
}

bool IsNonBlocking(SOCKET socket)
{
    int flags = fcntl(socket, F_GETFL, 0);
    return flags >= 0 && (flags & O_NONBLOCK);
}

int ConnectSocket(SOCKET socket, const SocketAddress& address)
{
    if (address.family != kAddressFamilyInet) {
        WSASetLastError(WSAEAFNOSUPPORT);
        return SOCKET_ERROR;
    }
    if (address.address == 0) {
        WSASetLastError(WSAEADDRNOTAVAIL);
        return SOCKET_ERROR;
    }
    sockaddr_in in = ToSockaddr(address);
    int r;
    do {
        r = ::connect(socket, reinterpret_cast<const sockaddr*>(&in), sizeof in);
    } while (r != 0 && errno == EINTR);
    return r == 0 ? 0 : FailWithErrno();
}

bool ConnectWithTimeout(SOCKET socket, const SocketAddress& address, int milliseconds)
{
    bool wasNonBlocking = IsNonBlocking(socket);
    if (!wasNonBlocking && !SetNonBlocking(socket, true))
        return false;
    bool ok = ConnectSocket(socket, address) == 0;
    if (!ok && WSAGetLastError() == WSAEWOULDBLOCK) {
        int seen = WaitSocket(socket, kSocketWritable, milliseconds);
        if (seen == 0) {
            WSASetLastError(WSAETIMEDOUT);
        } else if (seen > 0) {
            int error = GetPendingError(socket);
            ok = error == 0;
            if (!ok)
                WSASetLastError(error);
        }
    }
    if (!wasNonBlocking) {
        int error = WSAGetLastError();
        SetNonBlocking(socket, false);
        WSASetLastError(error);
    }
    return ok;
}

int GetPendingError(SOCKET socket)
{
    int error = 0;
    socklen_t length = sizeof error;
    if (getsockopt(socket, SOL_SOCKET, SO_ERROR, &error, &length) != 0)
        return WsaErrorFromErrno(errno);
    return WsaErrorFromErrno(error);
}

int SendSocket(SOCKET socket, const void* data, int length)
{
    if (length < 0) {
        WSASetLastError(WSAEINVAL);
        return SOCKET_ERROR;
    }
    ssize_t n;
    do {
        n = ::send(socket, data, static_cast<size_t>(length), MSG_NOSIGNAL);
    } while (n < 0 && errno == EINTR);
    return n < 0 ? FailTransfer(socket) : static_cast<int>(n);
}

int RecvSocket(SOCKET socket, void* buffer, int length)
{
    if (length < 0) {
        WSASetLastError(WSAEINVAL);
        return SOCKET_ERROR;
    }
    ssize_t n;
    do {
        n = ::recv(socket, buffer, static_cast<size_t>(length), 0);
    } while (n < 0 && errno == EINTR);
    return n < 0 ? FailTransfer(socket) : static_cast<int>(n);
}

int WaitSocket(SOCKET socket, int wanted, int milliseconds)
{
    pollfd p {};
    p.fd = socket;
    p.events = static_cast<short>(
        ((wanted & kSocketReadable) ? POLLIN : 0) | ((wanted & kSocketWritable) ? POLLOUT : 0));
    int r;
    do {
        r = ::poll(&p, 1, milliseconds);
    } while (r < 0 && errno == EINTR);
    if (r < 0)
        return FailWithErrno();
    if (r == 0)
        return 0;
    int seen = 0;
    if (p.revents & POLLIN)
        seen |= kSocketReadable;
    if (p.revents & POLLOUT)
        seen |= kSocketWritable;
    if (p.revents & (POLLERR | POLLHUP | POLLNVAL))
        seen |= kSocketFailed;
    return seen;
}

} // namespace plat
