// How a picture's kind is told: from a file name's extension (the input up to its first
// zero byte) and from the first bytes of the rest.
#include "ux/core/UxText.h"
#include "ux/graphics/UxImageSequence.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 4096)
        return 0;
    const uint8_t* zero = std::find(data, data + size, uint8_t { 0 });
    const std::wstring name = FromUtf8(std::string(reinterpret_cast<const char*>(data), size_t(zero - data)));
    const int32_t byName = UxImageSequence::TypeFromExtension(name);
    const uint8_t* rest = zero == data + size ? zero : zero + 1;
    const int32_t bySignature = UxImageSequence::TypeFromSignature(rest, size_t(data + size - rest));
    if (byName < UxImageTypeBmp || byName > UxImageTypeAuto || bySignature < UxImageTypeBmp
        || bySignature > UxImageTypeAuto)
        __builtin_trap();
    return 0;
}
