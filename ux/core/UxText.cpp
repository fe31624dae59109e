#include "ux/core/UxText.h"

#include "platform/system/Adapter.h"
#include "platform/system/Trace.h"
#include "platform/system/Utf8.h"
#include "ux/core/KsX1001Tables.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cwchar>
#include <cwctype>
#include <memory>
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
    return plat::EncodeUtf8(text);
}

std::wstring FromUtf8(const std::string& text)
{
    return plat::DecodeUtf8(text);
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

int HexDigit(wchar_t c)
{
    return plat::HexDigitValue(static_cast<int>(c));
}

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

uint16_t KsX1001ToUnicode(uint16_t code)
{
    unsigned lead = code >> 8;
    unsigned trail = code & 0xFF;
    if (lead < 0xA1 || lead > 0xFD || lead == 0xC9 || trail < 0xA1 || trail > 0xFE)
        return 0;
    int cell = static_cast<int>(lead * 94 + trail);
    int hangul = cell - 16705; // 0xB0A1
    if (hangul >= 0 && hangul < 2350)
        return kKsX1001Hangul[hangul];
    int k = cell - 15295; // 0xA1A1
    if (k < 1115)
        return kKsX1001Symbols[k];
    if (k < 3854)
        return 0;
    return kKsX1001Hanja[cell - 19149]; // 0xCAA1
}

std::wstring ToWide(const std::string& narrow)
{
    std::wstring out;
    out.reserve(narrow.size());
    const auto* s = reinterpret_cast<const unsigned char*>(narrow.c_str());
    for (size_t i = 0; s[i]; ++i) {
        if (s[i] < 0x80) {
            out += static_cast<wchar_t>(s[i]);
            continue;
        }
        if (!s[i + 1])
            break;
        out += static_cast<wchar_t>(KsX1001ToUnicode(static_cast<uint16_t>((s[i] << 8) | s[i + 1])));
        ++i;
    }
    return out;
}

namespace {

// Unicode -> KS X 1001 code, built once from the decoding tables.
const std::array<uint16_t, 0x10000>& EncodeTable()
{
    static const auto table = [] {
        auto t = std::make_unique<std::array<uint16_t, 0x10000>>();
        t->fill(0);
        for (unsigned lead = 0xA1; lead <= 0xFD; ++lead) {
            for (unsigned trail = 0xA1; trail <= 0xFE; ++trail) {
                auto code = static_cast<uint16_t>((lead << 8) | trail);
                uint16_t u = KsX1001ToUnicode(code);
                if (u && !(*t)[u])
                    (*t)[u] = code;
            }
        }
        return t;
    }();
    return *table;
}

} // namespace

std::string ToNarrow(const std::wstring& wide)
{
    std::string out;
    out.reserve(wide.size());
    for (wchar_t c : wide) {
        if (c == 0)
            break;
        if (c > 0 && c < 0x80) {
            out += static_cast<char>(c);
            continue;
        }
        uint16_t code = (c > 0 && c < 0x10000) ? EncodeTable()[static_cast<size_t>(c)] : 0;
        if (code) {
            out += static_cast<char>(code >> 8);
            out += static_cast<char>(code & 0xFF);
        } else {
            out += '?';
        }
    }
    return out;
}

std::wstring FromUtf16(const uint16_t* units, size_t count)
{
    std::wstring out;
    out.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        char32_t c = units[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < count && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (units[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        out += static_cast<wchar_t>(c);
    }
    return out;
}

void AppendUtf16(std::u16string& out, char32_t c)
{
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        c = 0xFFFD;
    if (c >= 0x10000) {
        c -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (c >> 10));
        out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    } else {
        out += static_cast<char16_t>(c);
    }
}

std::u16string ToUtf16(const std::wstring& text)
{
    std::u16string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();)
        AppendUtf16(out, plat::NextCodePoint(text, i));
    return out;
}

uint32_t ParseHex(const std::wstring& text)
{
    const wchar_t* start = text.c_str();
    wchar_t* end = nullptr;
    unsigned long long v = std::wcstoull(start, &end, 16);
    if (end == start)
        return 0;
    return v > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<uint32_t>(v);
}

std::wstring ToHex2(uint32_t value)
{
    return FormatString(L"%02x", value);
}

namespace {

// The search both FindNoCase forms share; see the header for the reported position.
template <typename Char, typename Upper>
const Char* FindNoCaseIn(
    const Char* text, size_t length, const Char* pattern, size_t patternLength, Upper upper)
{
    if (length == 0)
        return patternLength == 0 ? text : nullptr;
    const Char* candidate = text;
    size_t matched = 0;
    for (size_t i = 0; i < length; ++i) {
        if (matched == patternLength)
            return candidate;
        if (upper(text[i]) == upper(pattern[matched])) {
            ++matched;
        } else {
            matched = 0;
            candidate = text + i;
        }
    }
    return matched == patternLength ? candidate : nullptr;
}

} // namespace

const wchar_t* FindNoCase(const wchar_t* text, const wchar_t* pattern)
{
    if (!text || !pattern)
        return nullptr;
    return FindNoCaseIn(text, std::wcslen(text), pattern, std::wcslen(pattern),
        [](wchar_t c) { return std::towupper(static_cast<wint_t>(c)); });
}

const char* FindNoCase(const char* text, const char* pattern, int length)
{
    if (!text || !pattern)
        return nullptr;
    size_t n = length < 0 ? std::char_traits<char>::length(text) : static_cast<size_t>(length);
    return FindNoCaseIn(text, n, pattern, std::char_traits<char>::length(pattern),
        [](char c) { return std::toupper(static_cast<unsigned char>(c)); });
}

void ReplaceAll(std::wstring& text, const std::wstring& find, const std::wstring& replacement)
{
    if (find.empty())
        return;
    size_t pos = 0;
    while ((pos = text.find(find, pos)) != std::wstring::npos) {
        text.replace(pos, find.size(), replacement);
        pos += replacement.size();
    }
}

std::wstring ToLower(const std::wstring& text)
{
    std::wstring out(text);
    for (wchar_t& c : out)
        c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return out;
}

namespace {

template <typename String> String TrimImpl(const String& text, bool left, bool right)
{
    auto blank = [](auto c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    size_t begin = 0;
    size_t end = text.size();
    if (left)
        while (begin < end && blank(text[begin]))
            ++begin;
    if (right)
        while (end > begin && blank(text[end - 1]))
            --end;
    return text.substr(begin, end - begin);
}

} // namespace

std::string TrimLeft(const std::string& text)
{
    return TrimImpl(text, true, false);
}
std::string TrimRight(const std::string& text)
{
    return TrimImpl(text, false, true);
}
std::string Trim(const std::string& text)
{
    return TrimImpl(text, true, true);
}
std::wstring TrimLeft(const std::wstring& text)
{
    return TrimImpl(text, true, false);
}
std::wstring TrimRight(const std::wstring& text)
{
    return TrimImpl(text, false, true);
}
std::wstring Trim(const std::wstring& text)
{
    return TrimImpl(text, true, true);
}

std::wstring JoinStrings(const std::vector<std::wstring>& items, const std::wstring& separator)
{
    std::wstring out;
    for (const auto& item : items) {
        if (!out.empty())
            out += separator;
        out += item;
    }
    return out;
}

std::vector<std::wstring> SplitString(const std::wstring& text, const std::wstring& delimiters)
{
    std::vector<std::wstring> pieces;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (delimiters.find(text[i]) != std::wstring::npos) {
            pieces.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    pieces.push_back(text.substr(start));
    return pieces;
}

std::wstring GetMacAddressString(wchar_t separator)
{
    uint8_t a[6];
    if (!plat::GetAdapterHardwareAddress(a))
        return std::wstring();
    if (separator == 0)
        return FormatString(L"%02x%02x%02x%02x%02x%02x", a[0], a[1], a[2], a[3], a[4], a[5]);
    return FormatString(L"%02x%c%02x%c%02x%c%02x%c%02x%c%02x", a[0], separator, a[1], separator, a[2],
        separator, a[3], separator, a[4], separator, a[5]);
}
