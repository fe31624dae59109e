#include "platform/system/SingleInstance.h"
#include "platform/event/Thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <unistd.h>

namespace {

std::wstring UniqueName(const wchar_t* base)
{
    return base + std::to_wstring(getpid());
}

TEST(SingleInstance, SecondStartAsksTheFirstToRaiseAndGivesUp)
{
    std::atomic<int> raised { 0 };
    std::wstring name = UniqueName(L"Quorix instance/");
    plat::SingleInstance first(name, [&] { ++raised; });
    ASSERT_TRUE(first.Acquire());
    EXPECT_TRUE(first.Acquire()); // already ours
    {
        plat::SingleInstance second(name, [] { FAIL() << "the second never listens"; });
        EXPECT_FALSE(second.Acquire());
        EXPECT_FALSE(second.IsHeld());
    }
    for (int i = 0; i < 200 && raised == 0; ++i)
        plat::Sleep(10);
    EXPECT_EQ(raised, 1);
}

TEST(SingleInstance, LockIsFreeAgainOnceTheHolderEnds)
{
    std::wstring name = UniqueName(L"QuorixAgain");
    {
        plat::SingleInstance first(name, nullptr);
        ASSERT_TRUE(first.Acquire());
    }
    plat::SingleInstance next(name, nullptr);
    EXPECT_TRUE(next.Acquire());
}

} // namespace
