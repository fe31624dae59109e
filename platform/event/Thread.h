#pragma once

// Worker threads with start and join.

#include <cstdint>
#include <functional>
#include <memory>

namespace plat {

class Thread {
public:
    Thread();
    ~Thread(); // joins a thread still running
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    // False when a thread is already held or the system has none to give.
    bool Start(std::function<void()> body);
    // Blocks until the thread has ended; nothing when none was started.
    void Join();
    bool IsStarted() const;
    // Non-zero while a thread is held.
    uint32_t GetId() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

uint32_t GetCurrentThreadId();
// Names the calling thread for the system's tools (top, /proc); up to 15 characters.
void SetCurrentThreadName(const char* name);
void Sleep(uint32_t ms);

} // namespace plat
