#pragma once

#include "platform/event/Thread.h"

#include <cstdint>

// Base of worker threads. A subclass must Join in its own destructor (or earlier): by
// the time this destructor joins, the subclass's Run can no longer be called safely.
class UxThread {
public:
    UxThread() = default;
    virtual ~UxThread();
    UxThread(const UxThread&) = delete;
    UxThread& operator=(const UxThread&) = delete;

    virtual uint32_t Run() = 0;

    // False when the thread could not be made or one is already running.
    bool Start();
    // Waits for the thread to end; true.
    bool Join();
    bool IsRunning() const { return m_running; }
    uint32_t GetThreadId() const { return m_threadId; }

private:
    plat::Thread m_thread;
    uint32_t m_threadId = 0;
    bool m_running = false;
};
