#include "ux/core/UxText.h"
#include "ux/core/UxGuid.h"

#include <gtest/gtest.h>

#include <iconv.h>

namespace {

TEST(UxText, FormatTakesWideArgumentsAndCutsAt8191)
{
    EXPECT_EQ(FormatString(L"%s=%d %c %hs", L"가나", 42, L'다', "narrow"), L"가나=42 다 narrow");
    std::wstring big(10000, L'x');
    EXPECT_EQ(FormatString(L"%s", big.c_str()).size(), 8191u);
    EXPECT_EQ(FormatString(L"100%%"), L"100%");
}

TEST(UxText, Utf8AndUtf16BeyondTheBmpAndInvalidInput)
{
    std::wstring s = L"A\u00e9\uac00\U0001F600\U00010000";
    EXPECT_EQ(FromUtf8(ToUtf8(s)), s);
    std::u16string u = ToUtf16(s);
    EXPECT_EQ(u, u"A\u00e9\uac00\U0001F600\U00010000");
    EXPECT_EQ(FromUtf16(reinterpret_cast<const uint16_t*>(u.data()), u.size()), s);
    const uint16_t lone[] = { 0xD800, 0x41, 0xDC00 };
    EXPECT_EQ(FromUtf16(lone, 3), L"\uFFFDA\uFFFD");
    EXPECT_EQ(FromUtf8(std::string("a\xff") + "b"), L"a\uFFFDb");
    EXPECT_EQ(FromUtf8("\xe0\x80"), L"\uFFFD"); // overlong, truncated
    EXPECT_EQ(FromUtf8("\xed\xa0\x80"), L"\uFFFD"); // encoded surrogate
    EXPECT_EQ(FromUtf8("\xF4\x90\x80\x80"), L"\uFFFD"); // beyond U+10FFFF
    EXPECT_EQ(ToUtf8(std::wstring { wchar_t(0xD83D), wchar_t(0xDE00) }), "\xF0\x9F\x98\x80");
    EXPECT_EQ(ToUtf8(L"\U0010FFFF"), "\xF4\x8F\xBF\xBF");
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

// The C library's own EUC-KR converter: one code to one UTF-16 unit, 0 when it fails.
uint16_t GlibcEucKr(iconv_t cd, uint16_t code)
{
    char in[2] = { static_cast<char>(code >> 8), static_cast<char>(code & 0xFF) };
    unsigned char out[8] = {};
    char* ip = in;
    char* op = reinterpret_cast<char*>(out);
    size_t il = 2, ol = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &ip, &il, &op, &ol) == static_cast<size_t>(-1) || il != 0 || ol != sizeof out - 2)
        return 0;
    return static_cast<uint16_t>(out[0] | out[1] << 8);
}

TEST(UxTextKsX1001, EveryCodeAgreesWithTheCLibrary)
{
    iconv_t glibc = iconv_open("UTF-16LE", "EUC-KR");
    ASSERT_NE(glibc, reinterpret_cast<iconv_t>(-1));
    int mapped = 0;
    for (unsigned code = 0; code < 0x10000; ++code) {
        uint16_t ours = KsX1001ToUnicode(static_cast<uint16_t>(code));
        unsigned lead = code >> 8, trail = code & 0xFF;
        if (lead < 0xA1 || lead > 0xFE || trail < 0xA1 || trail > 0xFE) {
            ASSERT_EQ(ours, 0) << std::hex << code;
            continue;
        }
        // Our tables predate these two cells; the user-defined rows stay unmapped.
        bool lacking = code == 0xA2E6 || code == 0xA2E7 || lead == 0xC9 || lead == 0xFE;
        uint16_t expected = lacking ? 0 : GlibcEucKr(glibc, static_cast<uint16_t>(code));
        ASSERT_EQ(ours, expected) << std::hex << code;
        mapped += ours != 0;
    }
    iconv_close(glibc);
    EXPECT_EQ(mapped, 987 + 2350 + 4888); // symbols, Hangul, Hanja
    EXPECT_EQ(KsX1001ToUnicode(0xB0A1), 0xAC00);
    EXPECT_EQ(KsX1001ToUnicode(0xA1A1), 0x3000);
    EXPECT_EQ(KsX1001ToUnicode(0xCAA1), 0x4F3D);
}

TEST(UxTextKsX1001, ToWideAndToNarrow)
{
    EXPECT_EQ(ToWide("\x41\xB0\xA1\x42"), L"A\uAC00B");
    // An invalid pair stays as U+0000; a lead byte at the end is dropped.
    EXPECT_EQ(ToWide("a\xC9\xA1z"), std::wstring(L"a\0z", 3));
    EXPECT_EQ(ToWide("a\xB0"), L"a");
    EXPECT_EQ(ToWide(std::string("ab\0\xB0\xA1", 5)), L"ab");

    // Every mapped code survives wide and back; unmappable characters become '?'.
    std::string all;
    std::wstring wide;
    for (unsigned code = 0xA1A1; code <= 0xFEFE; ++code) {
        if (uint16_t u = KsX1001ToUnicode(static_cast<uint16_t>(code))) {
            all += static_cast<char>(code >> 8);
            all += static_cast<char>(code & 0xFF);
            wide += static_cast<wchar_t>(u);
        }
    }
    EXPECT_EQ(ToWide(all), wide);
    EXPECT_EQ(ToNarrow(wide), all);
    EXPECT_EQ(ToNarrow(L"x\u00e9\U0001F600\u20ac"), "x???");
}

TEST(UxText, FindNoCaseReportsTheDesignedPosition)
{
    const wchar_t* text = L"abcDEF";
    EXPECT_EQ(FindNoCase(text, L"def"), text + 2);
    const wchar_t* ab = L"ab";
    EXPECT_EQ(FindNoCase(ab, L"AB"), ab);
    EXPECT_EQ(FindNoCase(L"aab", L"ab"), nullptr);
    const wchar_t* empty = L"";
    EXPECT_EQ(FindNoCase(empty, L""), empty);
    EXPECT_EQ(FindNoCase(empty, L"a"), nullptr);

    const char* head = "HTTP/1.0 200 OK\r\nA: b\r\n\r\nbody";
    const char* at = FindNoCase(head, "\r\n\r\n");
    ASSERT_NE(at, nullptr);
    EXPECT_EQ(at - head, 20); // the 'b' before the blank line
    EXPECT_EQ(FindNoCase(head, "\r\n\r\n", 24), nullptr); // length bounds the search
    EXPECT_EQ(FindNoCase(head, "\r\n\r\n", 25), at);
}

TEST(UxText, ReplaceAllEndsWhateverTheTexts)
{
    std::wstring s = L"a-b-c";
    ReplaceAll(s, L"-", L"--"); // the replacement is not searched again
    EXPECT_EQ(s, L"a--b--c");
    ReplaceAll(s, L"", L"x");
    EXPECT_EQ(s, L"a--b--c");
    ReplaceAll(s, L"--", L"");
    EXPECT_EQ(s, L"abc");
}

TEST(UxText, SmallUtilities)
{
    EXPECT_EQ(Trim(L" \t\r\nx y\n "), L"x y");
    EXPECT_EQ(JoinStrings({ L"", L"a", L"", L"b" }, L","), L"a,,b"); // leading empty items add no separator
    EXPECT_EQ(SplitString(L"a;b,,", L",;"), (std::vector<std::wstring> { L"a", L"b", L"", L"" }));
    EXPECT_EQ(SplitString(L"", L","), std::vector<std::wstring>(1));
    EXPECT_EQ(ParseHex(L" 0x7b}"), 0x7Bu);
    EXPECT_EQ(ParseHex(L"zz"), 0u);
    EXPECT_EQ(ParseHex(L"123456789abc"), 0xFFFFFFFFu);
    EXPECT_EQ(ToHex2(10), L"0a");
    EXPECT_EQ(ToHex2(0x1ff), L"1ff");
}

TEST(UxText, GuidAndHardwareAddressForms)
{
    UxGuid a, b;
    std::wstring f0 = a.ToString(0), f1 = a.ToString(1);
    ASSERT_EQ(f0.size(), 36u);
    EXPECT_NE(f1, b.ToString(1));
    EXPECT_EQ(f0[14], L'4'); // random version
    EXPECT_EQ(f1.find_first_not_of(L"0123456789abcdef"), std::wstring::npos);
    // Form 0 prints the first field as the same little-endian word as form 1.
    EXPECT_EQ(f0.substr(0, 8), f1.substr(0, 8));

    std::wstring plain = GetMacAddressString(0), dashed = GetMacAddressString(L'-');
    EXPECT_EQ(GetMacAddressString(0), plain); // the same adapter every time
    if (plain.empty())
        GTEST_SKIP() << "no network adapter";
    ASSERT_EQ(plain.size(), 12u);
    ASSERT_EQ(dashed.size(), 17u);
    std::wstring joined;
    for (auto& part : SplitString(dashed, L"-"))
        joined += part;
    EXPECT_EQ(joined, plain);
}

} // namespace
