#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace plat {

// A host name looked up on a thread of its own, so that whoever waits for it can give
// up. The system's resolver cannot be stopped: a lookup given up on runs on to its end,
// and its thread then goes away by itself.
class HostLookup {
public:
    // Starts the lookup.
    explicit HostLookup(const std::string& name);
    // Gives up on a lookup still running.
    ~HostLookup();
    HostLookup(const HostLookup&) = delete;
    HostLookup& operator=(const HostLookup&) = delete;

    // Blocks until the lookup has ended or is given up on. True with the first IPv4
    // address (network order); false with WSAHOST_NOT_FOUND, or WSAEINTR when given up.
    bool Wait(uint32_t* address);
    // Any thread: Wait returns false at once, now or whenever it is called.
    void Cancel();

private:
    struct State;
    std::shared_ptr<State> m_state;
};

// The resolver every lookup uses, blocking: the first IPv4 address of name (network
// order), false when there is none.
bool LookUpHostName(const std::string& name, uint32_t* address);

// Tests put a resolver of their own in place of the system's (it runs where the system's
// would, and may take as long as it likes); an empty one restores the system's.
using HostResolver = std::function<bool(const std::string& name, uint32_t* address)>;
void SetHostResolverHook(HostResolver resolver);

} // namespace plat
