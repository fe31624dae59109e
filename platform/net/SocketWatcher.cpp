#include "platform/net/SocketWatcher.h"

#include "platform/net/NetError.h"

#include <cerrno>
#include <cstdint>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace plat {

SocketWatcher::SocketWatcher()
{
    m_pollFd = epoll_create1(EPOLL_CLOEXEC);
    m_wakeFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    epoll_event wake {};
    wake.events = EPOLLIN;
    wake.data.fd = m_wakeFd;
    if (m_pollFd >= 0 && m_wakeFd >= 0 && epoll_ctl(m_pollFd, EPOLL_CTL_ADD, m_wakeFd, &wake) != 0) {
        ::close(m_pollFd);
        m_pollFd = -1;
    }
}

SocketWatcher::~SocketWatcher()
{
    if (m_pollFd >= 0)
        ::close(m_pollFd);
    if (m_wakeFd >= 0)
        ::close(m_wakeFd);
}

bool SocketWatcher::Watch(SOCKET socket)
{
    if (!IsValid())
        return false;
    // A closed socket has left the set already; one still open must go.
    if (m_watched != INVALID_SOCKET)
        epoll_ctl(m_pollFd, EPOLL_CTL_DEL, m_watched, nullptr);
    m_watched = INVALID_SOCKET;
    epoll_event event {};
    event.events = EPOLLIN | EPOLLOUT | EPOLLRDHUP | EPOLLET;
    event.data.fd = socket;
    if (epoll_ctl(m_pollFd, EPOLL_CTL_ADD, socket, &event) != 0) {
        WSASetLastError(WsaErrorFromErrno(errno));
        return false;
    }
    m_watched = socket;
    return true;
}

void SocketWatcher::Wake()
{
    uint64_t one = 1;
    while (::write(m_wakeFd, &one, sizeof one) < 0 && errno == EINTR) { }
}

int SocketWatcher::Wait(int milliseconds)
{
    epoll_event events[2] {};
    int r;
    do {
        r = epoll_wait(m_pollFd, events, 2, milliseconds);
    } while (r < 0 && errno == EINTR);
    if (r < 0) {
        WSASetLastError(WsaErrorFromErrno(errno));
        return -1;
    }
    int seen = 0;
    for (int i = 0; i < r; ++i) {
        const uint32_t e = events[i].events;
        if (events[i].data.fd == m_wakeFd) {
            uint64_t value;
            while (::read(m_wakeFd, &value, sizeof value) < 0 && errno == EINTR) { }
            seen |= kSocketWoken;
            continue;
        }
        if (e & (EPOLLIN | EPOLLRDHUP))
            seen |= kSocketReadable;
        if (e & EPOLLOUT)
            seen |= kSocketWritable;
        if (e & (EPOLLERR | EPOLLHUP))
            seen |= kSocketFailed;
    }
    return seen;
}

} // namespace plat
