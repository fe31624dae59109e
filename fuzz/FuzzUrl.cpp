// URLs as given to the HTTP client, from redirects and configuration.
#include "ux/core/UxText.h"
#include "ux/net/UxUrl.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::wstring text = FromUtf8(std::string(reinterpret_cast<const char*>(data), size));
    UxUrl url(text);
    if (url.port < 0 || url.port > 65535)
        __builtin_trap();
    return 0;
}
