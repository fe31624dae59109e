// The saved password as read back from the registry file: any stored bytes, deciphered
// with the device's key, give a digest or nothing.
#include "messenger/protocol/login/SavedLogin.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 4096)
        return 0;
    static const std::string key = GetLoginStorageKey();
    const std::wstring digest = UnsealLoginPassword(data, static_cast<uint32_t>(size), key);
    if (!digest.empty() && digest.size() != 32)
        __builtin_trap();
    return 0;
}
