#pragma once

#include <cstddef>

namespace plat {

// Fills buffer from the system's random source. False only when the source fails.
bool GetRandomBytes(void* buffer, size_t size);

} // namespace plat
