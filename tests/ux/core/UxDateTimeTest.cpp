#include "ux/core/UxDateTime.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<int> Fields(const UxDateTime& t)
{
    return { t.Year, t.Month, t.Day, t.Hour, t.Minute, t.Second, t.Millisecond };
}

using F = std::vector<int>;

TEST(UxDateTime, Formats)
{
    UxDateTime t { 2009, 3, 7, 8, 4, 2, 45 };
    EXPECT_EQ(t.Format(L"yyyy-MM-dd hh:mm:ss"), L"2009-03-07 08:04:02");
    EXPECT_EQ(t.Format(L"yy"), L"09");
    EXPECT_EQ(t.Format(L"h:mm"), L"8:04");
    EXPECT_EQ(t.Format(L"zzz"), L"045");
    EXPECT_EQ(t.Format(L"MM/M"), L"MM/M"); // three M in all, no run of three
    EXPECT_EQ(t.Format(L"yyyyy"), L"02009");
    EXPECT_EQ(t.Format(std::wstring(40, L'y')), std::wstring(36, L'0') + L"2009");
    EXPECT_EQ(UxDateTime { 65535 }.Format(L"yyyy"), L"5535");
}

TEST(UxDateTime, ParsesTheFivePatternsAndStopsAtShortTexts)
{
    const F whole { 2009, 3, 7, 8, 4, 2, 0 };
    const F none(7, 0);
    const struct {
        const wchar_t* text;
        const wchar_t* pattern;
        F fields;
    } cases[] = {
        { L"20090307080402", L"yyyyMMddhhmmss", whole },
        { L"2009-03-07 08:04:02", L"yyyy-MM-dd hh:mm:ss", whole },
        { L"2009-03-07", L"yyyy-MM-dd", { 2009, 3, 7, 0, 0, 0, 0 } },
        { L"2009-03-07", L"yyyyMMdd", { 2009, 0, 3, 0, 0, 0, 0 } }, // "-0" reads as 0
        { L"Sat, 07-Mar-2009 08:04:02 GMT", L"DAY, dd-MMM-yyyy hh:mm:ss GMT", whole },
        { L"Sat, 07-mar-2009 08:04:02 GMT", L"DAY, dd-MMM-yyyy hh:mm:ss GMT", { 2009, 0, 7, 8, 4, 2, 0 } },
        { L"20090307", L"yyyy/MM/dd", none }, { L"2009030", L"yyyyMMddhhmmss", { 2009, 3, 0, 0, 0, 0, 0 } },
        { L"200903071", L"yyyyMMddhhmmss", { 2009, 3, 7, 1, 0, 0, 0 } }, // the cut piece reads what there is
        { L"", L"yyyy-MM-dd hh:mm:ss", none },
        { L"Sat, 07-Ma", L"DAY, dd-MMM-yyyy hh:mm:ss GMT", { 0, 0, 7, 0, 0, 0, 0 } },
        { L"x9ab03-1", L"yyyyMMdd", { 0, 3, 65535, 0, 0, 0, 0 } }, // pieces are not validated
    };
    for (const auto& c : cases) {
        UxDateTime t { 1, 1, 1, 1, 1, 1, 1 };
        t.Parse(c.text, c.pattern);
        EXPECT_EQ(Fields(t), c.fields) << c.text;
    }
}

} // namespace
