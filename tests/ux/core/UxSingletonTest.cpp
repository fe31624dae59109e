#include "ux/core/UxSingleton.h"

#include <gtest/gtest.h>

namespace {

class BuddyList : public UxSingleton<BuddyList> { };

TEST(UxSingleton, SecondInstanceWins)
{
    auto* first = new BuddyList;
    EXPECT_EQ(BuddyList::GetInstance(), first);
    auto* second = new BuddyList;
    EXPECT_EQ(BuddyList::GetInstance(), second);
    SafeDelete(first);
    EXPECT_EQ(first, nullptr);
    EXPECT_EQ(BuddyList::GetInstance(), nullptr); // the destructor clears unconditionally
    SafeDelete(second);
    SafeDelete(second); // null: nothing happens
}

} // namespace
