#include "ux/core/UxSingleton.h"
#include "tests/support/TraceCapture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

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
        L"[UX+] UxSingleton<class (anonymous namespace)::BuddyList>::UxSingleton, Singleton object can have "
        L"only an instance at a time.\n");
    EXPECT_EQ(BuddyList::GetInstance(), second);
    SafeDelete(first);
    EXPECT_EQ(first, nullptr);
    EXPECT_EQ(BuddyList::GetInstance(), nullptr); // the destructor clears unconditionally
    SafeDelete(second);
    SafeDelete(second); // null: nothing happens
}

} // namespace
