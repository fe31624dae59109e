#pragma once

// Where the desktop's session bus is, as the environment tells it; and keeping the
// libraries we load from starting a bus of their own where there is none.

#include <string>
#include <vector>

namespace plat {

// The session bus's address: $DBUS_SESSION_BUS_ADDRESS, else the socket at
// $XDG_RUNTIME_DIR/bus; "" when there is none (or only the one KeepSessionBusUnstarted
// set).
std::string FindSessionBus();

// Where no session bus is found, the libraries we load (SDL reaches the bus as it starts)
// would start one for themselves, carrying our environment and outliving us. This sets
// the address to "disabled:" for the process: they reach no bus, and start none. Call
// before SDL starts; any thread before other threads read the environment.
void KeepSessionBusUnstarted();

// The environment for a program we start: ours, less the address set above, so that it
// finds a bus as it would have from where we were started. The pointers are into the
// environment: use them at once.
std::vector<char*> EnvironmentForPrograms();

} // namespace plat
