#include "ux/core/UxDateTime.h"

#include "platform/system/Time.h"
#include "ux/core/UxText.h"

#include <algorithm>
#include <cwctype>

namespace {

// _wtol of text[start, start + length), bounded by the text's end.
uint16_t Piece(const std::wstring& text, size_t start, size_t length)
{
    if (start >= text.size())
        return 0;
    std::wstring piece = text.substr(start, length);
    size_t i = 0;
    while (i < piece.size() && std::iswspace(static_cast<wint_t>(piece[i])))
        ++i;
    bool negative = false;
    if (i < piece.size() && (piece[i] == L'-' || piece[i] == L'+'))
        negative = piece[i++] == L'-';
    long value = 0;
    for (; i < piece.size() && piece[i] >= L'0' && piece[i] <= L'9'; ++i)
        value = value * 10 + (piece[i] - L'0');
    return static_cast<uint16_t>(negative ? -value : value);
}

uint16_t MonthFromName(const std::wstring& text, size_t start)
{
    static const wchar_t* const kMonths[]
        = { L"Jan", L"Feb", L"Mar", L"Apr", L"May", L"Jun", L"Jul", L"Aug", L"Sep", L"Oct", L"Nov", L"Dec" };
    std::wstring name = start < text.size() ? text.substr(start, 3) : std::wstring();
    for (uint16_t m = 0; m < 12; ++m)
        if (name == kMonths[m])
            return m + 1;
    return 0;
}

} // namespace

void UxDateTime::Now()
{
    plat::SystemTime t;
    plat::GetLocalTime(&t);
    Year = t.wYear;
    Month = t.wMonth;
    Day = t.wDay;
    Hour = t.wHour;
    Minute = t.wMinute;
    Second = t.wSecond;
    Millisecond = t.wMilliseconds;
}

std::wstring UxDateTime::Format(const std::wstring& pattern) const
{
    const struct {
        wchar_t letter;
        uint16_t value;
    } fields[] = { { L'y', Year }, { L'M', Month }, { L'd', Day }, { L'h', Hour }, { L'm', Minute },
        { L's', Second }, { L'z', Millisecond } };
    std::wstring out = pattern;
    for (const auto& f : fields) {
        auto n = static_cast<size_t>(std::count(out.begin(), out.end(), f.letter));
        if (n == 0)
            continue;
        std::wstring digits = std::to_wstring(f.value);
        if (digits.size() > n)
            digits.erase(0, digits.size() - n);
        else
            digits.insert(0, n - digits.size(), L'0');
        ReplaceAll(out, std::wstring(n, f.letter), digits);
    }
    return out;
}

void UxDateTime::Parse(const std::wstring& text, const std::wstring& pattern)
{
    *this = UxDateTime();
    if (pattern == L"yyyyMMdd" || pattern == L"yyyyMMddhhmmss") {
        Year = Piece(text, 0, 4);
        Month = Piece(text, 4, 2);
        Day = Piece(text, 6, 2);
        if (pattern.size() > 8) {
            Hour = Piece(text, 8, 2);
            Minute = Piece(text, 10, 2);
            Second = Piece(text, 12, 2);
        }
    } else if (pattern == L"yyyy-MM-dd" || pattern == L"yyyy-MM-dd hh:mm:ss") {
        Year = Piece(text, 0, 4);
        Month = Piece(text, 5, 2);
        Day = Piece(text, 8, 2);
        if (pattern.size() > 10) {
            Hour = Piece(text, 11, 2);
            Minute = Piece(text, 14, 2);
            Second = Piece(text, 17, 2);
        }
    } else if (pattern == L"DAY, dd-MMM-yyyy hh:mm:ss GMT") {
        Year = Piece(text, 12, 4);
        Month = MonthFromName(text, 8);
        Day = Piece(text, 5, 2);
        Hour = Piece(text, 17, 2);
        Minute = Piece(text, 20, 2);
        Second = Piece(text, 23, 2);
    }
}
