// Response heads as the HTTP client reads them: head end, status, headers, cookies.
#include "ux/net/UxHttpHead.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    size_t end = UxHttpHead::FindEnd(data, size);
    size_t head = end == UxHttpHead::npos ? size : end;
    int status = 0;
    UxHttpHead::ParseStatus(data, head, &status);
    for (int i = 0; i < 3; ++i)
        UxHttpHead::GetHeader(data, size, L"Location", i);
    UxHttpHead::GetHeader(data, size, L"Content-Length", 0);
    UxHttpHead::ParseCookies(data, size);
    if (end != UxHttpHead::npos && end + 4 > size)
        __builtin_trap();
    return 0;
}
