#include "platform/system/Sound.h"
#include "platform/event/Clock.h"
#include "tests/support/TempFolder.h"
#include "tests/support/ThreadNames.h"
#include "tests/support/WavFile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

namespace {

// Threads of this process that SDL started for an audio device.
int AudioThreads()
{
    return ThreadsNamed("SDLAudio");
}

constexpr uint32_t kFlags = plat::SND_ASYNC | plat::SND_FILENAME;

class SoundTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        plat::SetSoundOutputEnabled(false);
        plat::ClearSoundHistory();
        folder.Write("long.wav", MakeWav(500));
        folder.Write("short.wav", MakeWav(100));
        folder.Write("broken.wav", "RIFF....WAVEjunk");
    }
    TempFolder folder;
    plat::ManualClock clock { 1000 };
};

TEST_F(SoundTest, NewSoundCutsOffThePlayingOne)
{
    ASSERT_TRUE(plat::sndPlaySoundW(folder.Designed("long.wav").c_str(), kFlags));
    EXPECT_TRUE(plat::IsSoundPlaying());
    clock.Advance(100);
    ASSERT_TRUE(plat::sndPlaySoundW(folder.Designed("short.wav").c_str(), kFlags));
    clock.Advance(150); // the short one has ended
    EXPECT_FALSE(plat::IsSoundPlaying());
    ASSERT_TRUE(plat::sndPlaySoundW(folder.Designed("long.wav").c_str(), kFlags));

    auto history = plat::GetSoundHistory();
    ASSERT_EQ(history.size(), 3u);
    EXPECT_EQ(history[0].durationMs, 500u);
    EXPECT_EQ(history[1].path, folder.Designed("short.wav"));
    EXPECT_EQ((std::vector<bool> { history[0].cut, history[1].cut, history[2].cut }),
        (std::vector<bool> { true, false, false }));
    EXPECT_FALSE(history[0].device);
}

TEST_F(SoundTest, FilesThatCannotPlayFail)
{
    for (const char* name : { "missing.wav", "broken.wav", "" }) // "": the folder itself
        EXPECT_FALSE(plat::sndPlaySoundW(folder.Designed(name).c_str(), kFlags)) << name;
    EXPECT_FALSE(plat::sndPlaySoundW(folder.Designed("short.wav").c_str(), plat::SND_ASYNC));
    EXPECT_FALSE(plat::sndPlaySoundW(nullptr, kFlags));
    EXPECT_TRUE(plat::GetSoundHistory().empty());
}

// The device path, on SDL's silent driver: the first sound is still queued when the
// second arrives; once the last one has played, the device and its thread go.
TEST_F(SoundTest, DeviceOutputCutsOffTheQueuedSoundAndClosesWhenPlayed)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    plat::SetSoundOutputEnabled(true);
    // Two long sounds, so that the second is surely still playing on a busy machine.
    ASSERT_TRUE(plat::sndPlaySoundW(folder.Designed("long.wav").c_str(), kFlags));
    ASSERT_TRUE(plat::sndPlaySoundW(folder.Designed("long.wav").c_str(), kFlags));
    auto history = plat::GetSoundHistory();
    ASSERT_EQ(history.size(), 2u);
    if (!history[0].device)
        GTEST_SKIP() << "no SDL audio driver here";
    EXPECT_TRUE(history[0].cut);
    EXPECT_TRUE(history[1].device);
    EXPECT_TRUE(plat::IsSoundPlaying());
    // The thread names itself once it runs.
    for (int i = 0; i < 200 && AudioThreads() == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_GT(AudioThreads(), 0);

    for (int i = 0; i < 300 && plat::IsSoundPlaying(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    for (int i = 0; i < 20 && AudioThreads() > 0; ++i) {
        plat::PumpFor(1000); // the close follows on the timer
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(AudioThreads(), 0);
    ASSERT_TRUE(plat::sndPlaySoundW(folder.Designed("short.wav").c_str(), kFlags));
    EXPECT_TRUE(plat::GetSoundHistory().back().device); // opened again
}

} // namespace
