// Responses as the HTTP client and the update's download read them: head end, status,
// headers, cookies, and the body as the head frames it (a length or chunks).
#include "ux/net/UxHttpBody.h"
#include "ux/net/UxHttpHead.h"

#include <cstddef>
#include <cstdint>
#include <string>

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
    std::string decoded;
    const uint8_t* body = nullptr;
    size_t length = 0;
    if (UxHttpBody::Read(data, size, decoded, &body, &length) == UxHttpBody::Whole) {
        // The body lies inside the response or is the decoded chunks, never more.
        const bool inside = body >= data && body + length <= data + size;
        const bool chunks
            = body == reinterpret_cast<const uint8_t*>(decoded.data()) && length == decoded.size();
        if ((!inside && !chunks) || length > size)
            __builtin_trap();
    }
    return 0;
}
