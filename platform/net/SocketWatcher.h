#pragma once

#include "platform/net/Socket.h"

namespace plat {

// Lets one thread wait on a socket while any other thread can wake it at once: the
// socket is polled together with an eventfd. A wake is remembered until the next Wait
// consumes it, so one given before the wait begins is never lost.
class SocketWatcher {
public:
    SocketWatcher();
    ~SocketWatcher();
    SocketWatcher(const SocketWatcher&) = delete;
    SocketWatcher& operator=(const SocketWatcher&) = delete;

    bool IsValid() const { return m_wakeFd >= 0; }

    // Any thread.
    void Wake();

    // Waits for the wanted events of the socket (none, or INVALID_SOCKET, to only sleep),
    // a wake, or the time-out (-1 forever). Returns the kSocket* flags seen (kSocketWoken
    // for a wake), 0 on time-out, -1 when poll fails.
    int Wait(SOCKET socket, int wanted, int milliseconds);

private:
    int m_wakeFd = -1;
};

} // namespace plat
