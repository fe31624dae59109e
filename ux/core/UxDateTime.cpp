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
    // {start, length} of year, month, day, hour, minute, second; length 0 = not there.
    struct Layout {
        const wchar_t* pattern;
        size_t at[6][2];
    };
    static const Layout kLayouts[] = {
        { L"yyyyMMdd", { { 0, 4 }, { 4, 2 }, { 6, 2 } } },
        { L"yyyy-MM-dd", { { 0, 4 }, { 5, 2 }, { 8, 2 } } },
        { L"yyyyMMddhhmmss", { { 0, 4 }, { 4, 2 }, { 6, 2 }, { 8, 2 }, { 10, 2 }, { 12, 2 } } },
        { L"yyyy-MM-dd hh:mm:ss", { { 0, 4 }, { 5, 2 }, { 8, 2 }, { 11, 2 }, { 14, 2 }, { 17, 2 } } },
        { L"DAY, dd-MMM-yyyy hh:mm:ss GMT",
            { { 12, 4 }, { 8, 3 }, { 5, 2 }, { 17, 2 }, { 20, 2 }, { 23, 2 } } },
    };
    *this = UxDateTime();
    for (const Layout& layout : kLayouts) {
        if (pattern != layout.pattern)
            continue;
        uint16_t* fields[] = { &Year, &Month, &Day, &Hour, &Minute, &Second };
        for (int i = 0; i < 6; ++i) {
            auto [start, length] = layout.at[i];
            if (length == 3)
                *fields[i] = MonthFromName(text, start); // the only named piece
            else if (length)
                *fields[i] = Piece(text, start, length);
        }
        return;
    }
}
