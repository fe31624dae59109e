// The registry file as read from disk: whatever parses must write out and read back
// to the same text.
#include "platform/system/RegistryStore.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > (1u << 20))
        return 0;
    plat::RegistryStore store;
    if (!store.Parse(std::string(reinterpret_cast<const char*>(data), size)))
        return 0;
    std::string text = store.Serialize();
    plat::RegistryStore again;
    if (!again.Parse(text) || again.Serialize() != text)
        std::abort();
    return 0;
}
