#include "ux/core/UxText.h"

#include <gtest/gtest.h>

namespace {

TEST(UxText, FormatTakesWideArgumentsAndCutsAt8191)
{
    EXPECT_EQ(FormatString(L"%s=%d %c %hs", L"가나", 42, L'다', "narrow"), L"가나=42 다 narrow");
    std::wstring big(10000, L'x');
    EXPECT_EQ(FormatString(L"%s", big.c_str()).size(), 8191u);
    EXPECT_EQ(FormatString(L"100%%"), L"100%");
}

TEST(UxText, Utf8RoundTripAndInvalidInput)
{
    std::wstring s = L"A\u00e9\uac00\U0001F600";
    EXPECT_EQ(FromUtf8(ToUtf8(s)), s);
    EXPECT_EQ(FromUtf8("a\xff" "b"), L"a\uFFFDb");
    EXPECT_EQ(FromUtf8("\xe0\x80"), L"\uFFFD");          // overlong, truncated
    EXPECT_EQ(FromUtf8("\xed\xa0\x80"), L"\uFFFD");      // encoded surrogate
    EXPECT_EQ(ToUtf8(std::wstring{wchar_t(0xD83D), wchar_t(0xDE00)}), "\xF0\x9F\x98\x80");
}

TEST(UxText, PercentEscaping)
{
    EXPECT_EQ(UrlEncode(L"a b&c", 0), L"a%20b%26c");
    EXPECT_EQ(UrlEncode(L"a b&c", 1), L"a%20b&c");
    EXPECT_EQ(UrlEncode(L"/,{", 0), L"/,%7b");
    EXPECT_EQ(UrlEncode(L"% \t\r\n", 1), L"%25%20%09%0d%0a");
    EXPECT_EQ(UrlDecode(L"a%20b%00c+"), L"a bc+");
    EXPECT_EQ(UrlDecode(L"%2"), L"\x02");
    EXPECT_EQ(UrlDecode(L"%"), L"");
    std::wstring all = L"가 %\t\r\n~";
    EXPECT_EQ(UrlDecode(UrlEncode(all, 0)), all);
    EXPECT_EQ(UrlDecode(UrlEncode(all, 1)), all);
}

} // namespace
