// Text files as they arrive from disk: the byte-order-mark decision, the UTF-8,
// UTF-16 and EUC-KR decoders and the chunked readers under them.
#include "ux/core/UxFile.h"
#include "ux/core/UxStream.h"
#include "ux/core/UxText.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > (1u << 20))
        return 0;
    auto n = static_cast<uint32_t>(size);
    UxMemoryStream text(data, n);
    std::wstring wide = ReadTextStream(text);

    UxMemoryStream utf16(data, n);
    std::wstring units = ReadWideStream(utf16);
    if (units.size() > size / 2)
        std::abort();

    std::string bytes(reinterpret_cast<const char*>(data), size);
    std::wstring korean = ToWide(bytes);
    if (korean.size() > size)
        std::abort();
    // Whatever decoded must encode again without trouble.
    (void)ToNarrow(korean);
    (void)ToUtf8(wide);
    (void)FromUtf8(bytes);
    return 0;
}
