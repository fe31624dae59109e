#pragma once

#include <functional>
#include <spawn.h>

namespace plat {

// SIGINT and SIGTERM call onSignal on a thread of their own ("signals"), once a signal.
// They are caught, never blocked: the handler only wakes that thread, so every thread and
// every program started from one begins with nothing blocked. Call once, early in main;
// false when the signals could not be caught.
bool CatchTerminationSignals(std::function<void()> onSignal);

// posix_spawn attributes for a program we start: nothing blocked and every signal at its
// default, whatever this process ignores (SIGPIPE, for its sockets) or the starting
// thread blocks.
class CleanSpawnAttributes {
public:
    CleanSpawnAttributes();
    ~CleanSpawnAttributes();
    CleanSpawnAttributes(const CleanSpawnAttributes&) = delete;
    CleanSpawnAttributes& operator=(const CleanSpawnAttributes&) = delete;

    // Null when they could not be made.
    const posix_spawnattr_t* Get() const { return m_ready ? &m_attributes : nullptr; }

private:
    posix_spawnattr_t m_attributes;
    bool m_made = false;
    bool m_ready = false;
};

} // namespace plat
