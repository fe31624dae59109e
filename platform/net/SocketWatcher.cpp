#include "platform/net/SocketWatcher.h"

#include "platform/net/NetError.h"

#include <cerrno>
#include <cstdint>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace plat {

SocketWatcher::SocketWatcher()
{
    m_wakeFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
}

SocketWatcher::~SocketWatcher()
{
    if (m_wakeFd >= 0)
        ::close(m_wakeFd);
}

void SocketWatcher::Wake()
{
    uint64_t one = 1;
    while (::write(m_wakeFd, &one, sizeof one) < 0 && errno == EINTR) { }
}

int SocketWatcher::Wait(SOCKET socket, int wanted, int milliseconds)
{
    pollfd p[2] {};
    p[0].fd = m_wakeFd;
    p[0].events = POLLIN;
    nfds_t count = 1;
    if (socket != INVALID_SOCKET && (wanted & (kSocketReadable | kSocketWritable))) {
        p[1].fd = socket;
        p[1].events = static_cast<short>(
            ((wanted & kSocketReadable) ? POLLIN : 0) | ((wanted & kSocketWritable) ? POLLOUT : 0));
        count = 2;
    }
    int r;
    do {
        r = ::poll(p, count, milliseconds);
    } while (r < 0 && errno == EINTR);
    if (r < 0) {
        WSASetLastError(WsaErrorFromErrno(errno));
        return -1;
    }
    int seen = 0;
    if (p[0].revents & POLLIN) {
        uint64_t value;
        while (::read(m_wakeFd, &value, sizeof value) < 0 && errno == EINTR) { }
        seen |= kSocketWoken;
    }
    if (count == 2) {
        if (p[1].revents & POLLIN)
            seen |= kSocketReadable;
        if (p[1].revents & POLLOUT)
            seen |= kSocketWritable;
        if (p[1].revents & (POLLERR | POLLHUP | POLLNVAL))
            seen |= kSocketFailed;
    }
    return seen;
}

} // namespace plat
