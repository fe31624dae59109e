#include "platform/event/Thread.h"

#include <atomic>
#include <chrono>
#include <pthread.h>
#include <system_error>
#include <thread>

namespace plat {

namespace {

    std::atomic<uint32_t> g_lastThreadId { 0 };

    uint32_t& CurrentId()
    {
        thread_local uint32_t id = 0;
        return id;
    }

} // namespace

struct Thread::Impl {
    std::thread thread;
    uint32_t id = 0;
};

Thread::Thread()
    : m_impl(std::make_unique<Impl>())
{
}

Thread::~Thread()
{
    Join();
}

bool Thread::Start(std::function<void()> body)
{
    if (m_impl->thread.joinable() || !body)
        return false;
    uint32_t id = ++g_lastThreadId;
    try {
        m_impl->thread = std::thread([id, body = std::move(body)] {
            CurrentId() = id;
            body();
        });
    } catch (const std::system_error&) {
        return false;
    }
    m_impl->id = id;
    return true;
}

void Thread::Join()
{
    if (m_impl->thread.joinable() && m_impl->thread.get_id() != std::this_thread::get_id())
        m_impl->thread.join();
    else if (m_impl->thread.joinable())
        m_impl->thread.detach(); // a thread cannot wait for itself
    m_impl->id = 0;
}

bool Thread::IsStarted() const
{
    return m_impl->thread.joinable();
}

uint32_t Thread::GetId() const
{
    return m_impl->id;
}

uint32_t GetCurrentThreadId()
{
    uint32_t& id = CurrentId();
    if (!id)
        id = ++g_lastThreadId;
    return id;
}

void SetCurrentThreadName(const char* name)
{
    pthread_setname_np(pthread_self(), name);
}

void Sleep(uint32_t ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

} // namespace plat
