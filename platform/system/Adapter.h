#pragma once

#include <cstdint>

namespace plat {

// Hardware address of the first network adapter that is not a loopback, in order of
// adapter name so the same one is chosen on every run. False when there is none.
bool GetAdapterHardwareAddress(uint8_t address[6]);

} // namespace plat
