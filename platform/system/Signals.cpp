#include "platform/system/Signals.h"

#include "platform/event/Thread.h"

#include <sys/eventfd.h>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace plat {

namespace {

    int s_wake = -1;

    // Only what is safe in a handler: one write, errno kept for whoever was interrupted.
    void OnTerminationSignal(int)
    {
        const int saved = errno;
        const uint64_t one = 1;
        [[maybe_unused]] const ssize_t wrote = write(s_wake, &one, sizeof one);
        errno = saved;
    }

} // namespace

bool CatchTerminationSignals(std::function<void()> onSignal)
{
    if (s_wake >= 0)
        return false;
    const int wake = eventfd(0, EFD_CLOEXEC);
    if (wake < 0)
        return false;
    try {
        std::thread([wake, onSignal = std::move(onSignal)] {
            SetCurrentThreadName("signals");
            for (;;) {
                uint64_t count = 0;
                const ssize_t got = read(wake, &count, sizeof count);
                if (got < 0 && errno == EINTR)
                    continue;
                if (got != sizeof count)
                    return;
                // Signals that came together end the loop all the same.
                if (onSignal)
                    onSignal();
            }
        }).detach();
    } catch (const std::system_error&) {
        close(wake);
        return false;
    }
    s_wake = wake;
    struct sigaction action {};
    action.sa_handler = &OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    return sigaction(SIGINT, &action, nullptr) == 0 && sigaction(SIGTERM, &action, nullptr) == 0;
}

CleanSpawnAttributes::CleanSpawnAttributes()
{
    m_made = posix_spawnattr_init(&m_attributes) == 0;
    if (!m_made)
        return;
    sigset_t none;
    sigset_t all;
    sigemptyset(&none);
    sigfillset(&all);
    // SIGKILL and SIGSTOP are at their default anyway and cannot be set.
    sigdelset(&all, SIGKILL);
    sigdelset(&all, SIGSTOP);
    m_ready = posix_spawnattr_setsigmask(&m_attributes, &none) == 0
        && posix_spawnattr_setsigdefault(&m_attributes, &all) == 0
        && posix_spawnattr_setflags(&m_attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF) == 0;
}

CleanSpawnAttributes::~CleanSpawnAttributes()
{
    if (m_made)
        posix_spawnattr_destroy(&m_attributes);
}

} // namespace plat
