#include "platform/system/ConnectionManager.h"
#include "platform/system/Led.h"
#include "platform/system/Sound.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UxPump.h"
#include "tests/support/WavFile.h"
#include "ux/core/UxAudio.h"
#include "ux/core/UxConnectionHelper.h"
#include "ux/core/UxPathResolver.h"
#include "ux/core/UxVibrator.h"

#include <gtest/gtest.h>

namespace {

TEST(UxAudioTest, PlaysFromTheSoundFolder)
{
    plat::SetSoundOutputEnabled(false);
    plat::ClearSoundHistory();
    TempFolder folder;
    folder.Write("Ring.wav", MakeWav(50));
    UxPathResolver resolver;
    resolver.SetBase(1, folder.Designed());
    UxAudio audio;
    EXPECT_TRUE(audio.Play(L"Ring.wav"));
    EXPECT_FALSE(audio.Play(L"Other.wav"));
    auto history = plat::GetSoundHistory();
    ASSERT_EQ(history.size(), 1u);
    EXPECT_EQ(history[0].path, folder.Designed("Ring.wav"));
}

TEST(UxVibratorTest, RunsOnTheLastLedUntilItsStopTimerOrItsEnd)
{
    plat::SetLedCount(3);
    UxTimeFixture time;
    {
        UxVibrator vibrator;
        uint32_t first = vibrator.Start(0.1f);
        UxPumpFor(50);
        uint32_t second = vibrator.Start(0.1f); // restarts the full time
        EXPECT_FALSE(time.timers->IsAlive(first));
        EXPECT_EQ(plat::GetLedState(2), 1);
        EXPECT_EQ(plat::GetLedState(0), 0);
        UxPumpFor(80); // 130 ms after the first start: still on
        EXPECT_TRUE(vibrator.IsOn());
        UxPumpFor(40);
        EXPECT_FALSE(vibrator.IsOn());
        EXPECT_EQ(plat::GetLedState(2), 0);
        EXPECT_FALSE(time.timers->IsAlive(second));
    }
    uint32_t timer;
    {
        UxVibrator vibrator;
        timer = vibrator.Start(5.0f);
    } // destruction stops the motor and its timer
    EXPECT_EQ(plat::GetLedState(2), 0);
    EXPECT_FALSE(time.timers->IsAlive(timer));
    UxPumpFor(6000); // no tick reaches the deleted vibrator
}

TEST(UxConnectionHelperTest, EstablishAndRelease)
{
    UxConnectionHelper helper;
    uint32_t before = plat::GetOpenConnectionCount();
    EXPECT_TRUE(helper.Release()); // nothing held: nothing asked
    EXPECT_EQ(plat::GetOpenConnectionCount(), before);

    ASSERT_TRUE(helper.Establish(60000));
    ASSERT_TRUE(helper.Establish(60000)); // the first handle is given back, not lost
    EXPECT_EQ(plat::GetOpenConnectionCount(), before + 1);
    EXPECT_TRUE(helper.Release());
    EXPECT_FALSE(helper.HasConnection());
    EXPECT_EQ(plat::GetOpenConnectionCount(), before);

    plat::SetConnectionFailure(plat::E_FAIL);
    EXPECT_FALSE(helper.Establish(60000));
    EXPECT_FALSE(helper.HasConnection());
    plat::SetConnectionFailure(plat::S_OK);
}

} // namespace
