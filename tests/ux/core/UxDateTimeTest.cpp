#include "ux/core/UxDateTime.h"

#include <gtest/gtest.h>

namespace {

UxDateTime Make(int y, int mo, int d, int h, int mi, int s, int ms = 0)
{
    UxDateTime t;
    t.Year = static_cast<uint16_t>(y);
    t.Month = static_cast<uint16_t>(mo);
    t.Day = static_cast<uint16_t>(d);
    t.Hour = static_cast<uint16_t>(h);
    t.Minute = static_cast<uint16_t>(mi);
    t.Second = static_cast<uint16_t>(s);
    t.Millisecond = static_cast<uint16_t>(ms);
    return t;
}

void ExpectFields(const UxDateTime& t, int y, int mo, int d, int h, int mi, int s)
{
    EXPECT_EQ(t.Year, y);
    EXPECT_EQ(t.Month, mo);
    EXPECT_EQ(t.Day, d);
    EXPECT_EQ(t.Hour, h);
    EXPECT_EQ(t.Minute, mi);
    EXPECT_EQ(t.Second, s);
    EXPECT_EQ(t.Millisecond, 0);
}

TEST(UxDateTime, Formats)
{
    UxDateTime t = Make(2009, 3, 7, 8, 4, 2, 45);
    EXPECT_EQ(t.Format(L"yyyy-MM-dd hh:mm:ss"), L"2009-03-07 08:04:02");
    EXPECT_EQ(t.Format(L"yyyyMMddhhmmss"), L"20090307080402");
    EXPECT_EQ(t.Format(L"yy"), L"09");
    EXPECT_EQ(t.Format(L"h:mm"), L"8:04");
    EXPECT_EQ(t.Format(L"zzz"), L"045");
    EXPECT_EQ(t.Format(L"MM/M"), L"MM/M"); // three M in all, no run of three
    EXPECT_EQ(t.Format(L"yyyyy"), L"02009");
    EXPECT_EQ(t.Format(std::wstring(40, L'y')), std::wstring(36, L'0') + L"2009");
    EXPECT_EQ(Make(65535, 0, 0, 0, 0, 0).Format(L"yyyy"), L"5535");
}

TEST(UxDateTime, ParsesTheFivePatterns)
{
    UxDateTime t;
    t.Parse(L"20090307080402", L"yyyyMMddhhmmss");
    ExpectFields(t, 2009, 3, 7, 8, 4, 2);
    EXPECT_EQ(t.Format(L"yyyyMMddhhmmss"), L"20090307080402");
    t.Parse(L"2009-03-07 08:04:02", L"yyyy-MM-dd hh:mm:ss");
    ExpectFields(t, 2009, 3, 7, 8, 4, 2);
    t.Parse(L"2009-03-07", L"yyyy-MM-dd");
    ExpectFields(t, 2009, 3, 7, 0, 0, 0);
    t.Parse(L"2009-03-07", L"yyyyMMdd");
    ExpectFields(t, 2009, 0, 3, 0, 0, 0); // "-0" reads as 0
    t.Parse(L"Sat, 07-Mar-2009 08:04:02 GMT", L"DAY, dd-MMM-yyyy hh:mm:ss GMT");
    ExpectFields(t, 2009, 3, 7, 8, 4, 2);
    t.Parse(L"Sat, 07-mar-2009 08:04:02 GMT", L"DAY, dd-MMM-yyyy hh:mm:ss GMT");
    EXPECT_EQ(t.Month, 0);
    t.Parse(L"20090307", L"yyyy/MM/dd");
    ExpectFields(t, 0, 0, 0, 0, 0, 0);
}

TEST(UxDateTime, ShortTextsStopAtTheirEnd)
{
    UxDateTime t = Make(1, 1, 1, 1, 1, 1, 1);
    t.Parse(L"2009030", L"yyyyMMddhhmmss");
    ExpectFields(t, 2009, 3, 0, 0, 0, 0);
    t.Parse(L"200903071", L"yyyyMMddhhmmss");
    ExpectFields(t, 2009, 3, 7, 1, 0, 0); // the cut piece reads what there is
    t.Parse(L"", L"yyyy-MM-dd hh:mm:ss");
    ExpectFields(t, 0, 0, 0, 0, 0, 0);
    t.Parse(L"Sat, 07-Ma", L"DAY, dd-MMM-yyyy hh:mm:ss GMT");
    ExpectFields(t, 0, 0, 7, 0, 0, 0);
    t.Parse(L"x9ab03-1", L"yyyyMMdd");
    ExpectFields(t, 0, 3, 65535, 0, 0, 0); // pieces are not validated
}

TEST(UxDateTime, NowIsAPlausibleLocalTime)
{
    UxDateTime t;
    t.Now();
    EXPECT_GE(t.Year, 2024);
    EXPECT_GE(t.Month, 1);
    EXPECT_LE(t.Month, 12);
    EXPECT_GE(t.Day, 1);
    EXPECT_LE(t.Day, 31);
    EXPECT_LE(t.Hour, 23);
    EXPECT_LE(t.Second, 59);
    EXPECT_LE(t.Millisecond, 999);
}

} // namespace
