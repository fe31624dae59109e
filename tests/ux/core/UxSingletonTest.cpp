#include "platform/system/Trace.h"
#include "ux/core/UxSingleton.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class TraceCapture {
public:
    TraceCapture()
    {
        plat::SetTraceHook([this](const std::wstring& s) { lines.push_back(s); });
    }
    ~TraceCapture() { plat::SetTraceHook(nullptr); }
    std::vector<std::wstring> lines;
};

class BuddyList : public UxSingleton<BuddyList> { };

TEST(UxSingleton, SecondInstanceIsTracedAndWins)
{
    TraceCapture trace;
    auto* first = new BuddyList;
    EXPECT_EQ(BuddyList::GetInstance(), first);
    EXPECT_TRUE(trace.lines.empty());
    auto* second = new BuddyList;
    ASSERT_EQ(trace.lines.size(), 1u);
    EXPECT_EQ(trace.lines[0],
        L"[UX+] UxSingleton<class (anonymous namespace)::BuddyList>::UxSingleton, Singleton object can have only an instance at a time.\n");
    EXPECT_EQ(BuddyList::GetInstance(), second);
    SafeDelete(first);
    EXPECT_EQ(first, nullptr);
    EXPECT_EQ(BuddyList::GetInstance(), nullptr); // the destructor clears unconditionally
    SafeDelete(second);
    SafeDelete(second); // null: nothing happens
}

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

} // namespace
