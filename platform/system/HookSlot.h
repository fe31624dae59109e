#pragma once

#include <mutex>

namespace plat {

// A function that tests put in place of a system service (a resolver, the desktop's
// opener). Set from any thread; read as a copy, so that one that takes long never runs
// under the lock.
template <typename Function> class HookSlot {
public:
    void Set(Function function)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_function = std::move(function);
    }
    Function Get() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_function;
    }

private:
    mutable std::mutex m_mutex;
    Function m_function;
};

} // namespace plat
