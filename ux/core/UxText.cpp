#include "ux/core/UxText.h"

#include "platform/system/Trace.h"

#include <algorithm>
#include <cwchar>
#include <vector>

namespace {

// Rewrites the program's wide-argument conversions for the C library, where %s and %c
// mean narrow arguments in a wide format: %s -> %ls, %c -> %lc, %hs -> %s, %hc -> %c.
std::wstring TranslateFormat(const wchar_t* format)
{
    std::wstring out;
    for (const wchar_t* p = format; *p;) {
        if (*p != L'%') {
            out += *p++;
            continue;
        }
        out += *p++;
        if (*p == L'%') {
            out += *p++;
            continue;
        }
        // flags, width, precision
        while (*p && std::wcschr(L"-+ #0123456789.*'", *p))
            out += *p++;
        bool narrow = false;
        bool hasLength = false;
        if (*p == L'h' && (p[1] == L's' || p[1] == L'c')) {
            narrow = true;
            ++p;
        }
        while (*p && std::wcschr(L"hlLqjzt", *p)) {
            hasLength = true;
            out += *p++;
        }
        if (!*p)
            break;
        if ((*p == L's' || *p == L'c') && !narrow && !hasLength)
            out += L'l';
        if (*p == L'S') {
            out += L's';
            ++p;
            continue;
        }
        out += *p++;
    }
    return out;
}

} // namespace

std::wstring FormatStringV(const wchar_t* format, va_list args)
{
    if (!format)
        return std::wstring();
    std::wstring fmt = TranslateFormat(format);
    // glibc's vswprintf fails without writing a usable prefix when the text does not
    // fit, so grow until it fits (bounded) and cut the result afterwards.
    size_t size = kUxFormatBufferSize;
    for (;;) {
        std::vector<wchar_t> buffer(size, L'\0');
        va_list copy;
        va_copy(copy, args);
        int n = std::vswprintf(buffer.data(), buffer.size(), fmt.c_str(), copy);
        va_end(copy);
        if (n >= 0) {
            std::wstring result(buffer.data(), static_cast<size_t>(n));
            if (result.size() > kUxFormatBufferSize - 1)
                result.resize(kUxFormatBufferSize - 1);
            return result;
        }
        if (size >= (size_t(1) << 22))
            return std::wstring();
        size *= 4;
    }
}

std::wstring FormatString(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    std::wstring s = FormatStringV(format, args);
    va_end(args);
    return s;
}

void UxTrace(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    std::wstring s = FormatStringV(format, args);
    va_end(args);
    plat::OutputDebugStringW(s.c_str());
}

std::string ToUtf8(const std::wstring& text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        auto c = static_cast<char32_t>(text[i]);
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) {
            auto lo = static_cast<char32_t>(text[i + 1]);
            if (lo >= 0xDC00 && lo <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (lo - 0xDC00);
                ++i;
            }
        }
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            c = 0xFFFD;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::wstring FromUtf8(const std::string& text)
{
    std::wstring out;
    out.reserve(text.size());
    const auto* s = reinterpret_cast<const unsigned char*>(text.data());
    size_t n = text.size();
    size_t i = 0;
    while (i < n) {
        unsigned char b = s[i];
        if (b < 0x80) {
            out += static_cast<wchar_t>(b);
            ++i;
            continue;
        }
        size_t len;
        char32_t c;
        char32_t min;
        if (b >= 0xC2 && b <= 0xDF) {
            len = 2, c = b & 0x1F, min = 0x80;
        } else if (b >= 0xE0 && b <= 0xEF) {
            len = 3, c = b & 0x0F, min = 0x800;
        } else if (b >= 0xF0 && b <= 0xF4) {
            len = 4, c = b & 0x07, min = 0x10000;
        } else {
            out += L'\xFFFD';
            ++i;
            continue;
        }
        size_t k = 1;
        for (; k < len && i + k < n && (s[i + k] & 0xC0) == 0x80; ++k)
            c = (c << 6) | (s[i + k] & 0x3F);
        if (k < len || c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            // Replace the maximal invalid prefix with one U+FFFD and resume after it.
            out += L'\xFFFD';
            i += k;
            continue;
        }
        out += static_cast<wchar_t>(c);
        i += len;
    }
    return out;
}

std::wstring UrlEncode(const std::wstring& text, int mode)
{
    static const wchar_t kMode0[] = L"% \t\r\n&+:;=?@<>#{}|\\^~[]`";
    static const wchar_t kMode1[] = L"% \t\r\n";
    const wchar_t* set = mode == 0 ? kMode0 : kMode1;
    std::wstring out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        if (c != 0 && std::wcschr(set, c)) {
            static const wchar_t kHex[] = L"0123456789abcdef";
            out += L'%';
            out += kHex[(c >> 4) & 0xF];
            out += kHex[c & 0xF];
        } else {
            out += c;
        }
    }
    return out;
}

namespace {

int HexDigit(wchar_t c)
{
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    return -1;
}

} // namespace

std::wstring UrlDecode(const std::wstring& text)
{
    std::wstring out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'%') {
            out += text[i];
            continue;
        }
        // "%x" semantics: take the hex digits among the next two characters, stop at
        // the first non-digit; both characters (or what remains) are skipped.
        unsigned value = 0;
        for (size_t k = 1; k <= 2 && i + k < text.size(); ++k) {
            int d = HexDigit(text[i + k]);
            if (d < 0)
                break;
            value = value * 16 + static_cast<unsigned>(d);
        }
        if (value != 0)
            out += static_cast<wchar_t>(value);
        i += std::min<size_t>(2, text.size() - 1 - i);
    }
    return out;
}
