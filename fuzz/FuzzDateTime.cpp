// Dates as they come from files and the wire: every parse pattern over the same text,
// and the text used as a format pattern.
#include "ux/core/UxDateTime.h"
#include "ux/core/UxText.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 4096)
        return 0;
    std::wstring text = FromUtf8(std::string(reinterpret_cast<const char*>(data), size));
    static const wchar_t* const kPatterns[] = { L"yyyyMMdd", L"yyyy-MM-dd", L"yyyyMMddhhmmss",
        L"yyyy-MM-dd hh:mm:ss", L"DAY, dd-MMM-yyyy hh:mm:ss GMT" };
    UxDateTime t;
    for (const wchar_t* pattern : kPatterns) {
        t.Parse(text, pattern);
        (void)t.Format(pattern);
    }
    t.Parse(text, text);
    (void)t.Format(text);
    return 0;
}
