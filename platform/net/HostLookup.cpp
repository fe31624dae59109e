#include "platform/net/HostLookup.h"

#include "platform/net/NetError.h"
#include "platform/system/HookSlot.h"

#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

namespace plat {

namespace {

    HookSlot<HostResolver> s_hook;

} // namespace

struct HostLookup::State {
    std::mutex mutex;
    std::condition_variable changed;
    bool ended = false;
    bool cancelled = false;
    bool found = false;
    uint32_t address = 0;
};

bool LookUpHostName(const std::string& name, uint32_t* address)
{
    if (const HostResolver hook = s_hook.Get())
        return hook(name, address);
    addrinfo hints {};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* list = nullptr;
    if (name.empty() || getaddrinfo(name.c_str(), nullptr, &hints, &list) != 0 || !list)
        return false;
    *address = reinterpret_cast<const sockaddr_in*>(list->ai_addr)->sin_addr.s_addr;
    freeaddrinfo(list);
    return true;
}

void SetHostResolverHook(HostResolver resolver)
{
    s_hook.Set(std::move(resolver));
}

HostLookup::HostLookup(const std::string& name)
    : m_state(std::make_shared<State>())
{
    const auto run = [name](const std::shared_ptr<State>& state) {
        uint32_t address = 0;
        const bool found = LookUpHostName(name, &address);
        std::lock_guard<std::mutex> lock(state->mutex);
        state->found = found;
        state->address = address;
        state->ended = true;
        state->changed.notify_all();
    };
    try {
        // The thread keeps the state alive for as long as it runs.
        std::thread(run, m_state).detach();
    } catch (const std::system_error&) {
        // No thread to be had: looked up here, as a blocking lookup would be.
        run(m_state);
    }
}

HostLookup::~HostLookup()
{
    Cancel();
}

void HostLookup::Cancel()
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    m_state->cancelled = true;
    m_state->changed.notify_all();
}

bool HostLookup::Wait(uint32_t* address)
{
    std::unique_lock<std::mutex> lock(m_state->mutex);
    m_state->changed.wait(lock, [this] { return m_state->ended || m_state->cancelled; });
    if (m_state->cancelled) {
        WSASetLastError(WSAEINTR);
        return false;
    }
    if (!m_state->found) {
        WSASetLastError(WSAHOST_NOT_FOUND);
        return false;
    }
    *address = m_state->address;
    return true;
}

} // namespace plat
