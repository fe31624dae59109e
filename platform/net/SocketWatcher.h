#pragma once

#include "platform/net/Socket.h"

namespace plat {

// Lets one thread wait on a socket while any other thread can wake it at once. The
// socket is watched for changes, not states: a wait ends when bytes arrive, send space
// frees up after a full buffer, the connection completes or fails, never merely because
// the socket still has unread bytes. So the waiting thread sleeps while another thread
// reads, and needs no word from it to look again. A wake is remembered until the next
// Wait consumes it, so one given before the wait begins is never lost.
class SocketWatcher {
public:
    SocketWatcher();
    ~SocketWatcher();
    SocketWatcher(const SocketWatcher&) = delete;
    SocketWatcher& operator=(const SocketWatcher&) = delete;

    bool IsValid() const { return m_pollFd >= 0 && m_wakeFd >= 0; }

    // Watches this socket from now on, in place of any earlier one; a socket already
    // readable or writable counts as a change. False when it cannot be watched.
    bool Watch(SOCKET socket);

    // Any thread.
    void Wake();

    // Waits for a change of the watched socket, a wake, or the time-out (-1 forever).
    // Returns the kSocket* flags seen (kSocketWoken for a wake; readable and writable as
    // the socket stands after the change), 0 on time-out, -1 when the wait fails.
    int Wait(int milliseconds);

private:
    int m_pollFd = -1;
    int m_wakeFd = -1;
    SOCKET m_watched = INVALID_SOCKET;
};

} // namespace plat
