#include "platform/event/MessageQueue.h"
#include "tests/support/MessengerSingletons.h"
#include "tests/support/RecordingScreens.h"
#include "tests/support/UxPump.h"

#include <gtest/gtest.h>

namespace {

constexpr const wchar_t* kMissedAlert
    = L"ShowMsgBox: 네트워크가 불안정하여 쿼릭스 서버와의 접속이 종료되었습니다.";

class TarvPongTest : public ::testing::Test {
protected:
    // Answers the last PONG sent, as the service would.
    void Answer()
    {
        ASSERT_FALSE(m.peer.sent.empty());
        const std::string& last = m.peer.sent.back();
        ASSERT_EQ(last.rfind("PONG ", 0), 0u) << last;
        m.peer.Receive(last);
    }

    UxTimeFixture time;
    RecordingScreens screens;
    MessengerSingletons m;
};

} // namespace

TEST_F(TarvPongTest, AnsweredPongsGoOutEveryPeriodAndAMissedAnswerEndsTheSessionOnTheNextTick)
{
    m.peer.SetStage(TarvPeer::StageMain);
    m.buddies.Insert(L"k", Buddy());
    ASSERT_TRUE(m.pong.Start());
    UxPumpFor(9999);
    EXPECT_TRUE(m.peer.sent.empty());
    for (int tick = 1; tick <= 3; ++tick) {
        UxPumpFor(1);
        ASSERT_EQ(m.peer.sent.size(), static_cast<size_t>(tick));
        UxPumpFor(3000);
        Answer();
        EXPECT_EQ(m.pong.GetLastReply() - m.pong.GetLastSent(), 3000u);
        UxPumpFor(6999);
    }
    EXPECT_EQ(m.pending.GetCount(), 0u);
    UxPumpFor(1); // the fourth goes unanswered
    ASSERT_EQ(m.peer.sent.size(), 4u);
    UxPumpFor(9999);
    EXPECT_TRUE(screens.calls.empty());
    UxPumpFor(1);
    EXPECT_EQ(m.peer.sent.size(), 4u);
    EXPECT_EQ(screens.calls, (std::vector<std::wstring> { kMissedAlert, L"ResetScreens", L"UpdateNotifyIcons" }));
    EXPECT_FALSE(m.pong.IsRunning());
    EXPECT_EQ(m.buddies.GetCount(), 0u);
    UxPumpFor(30000);
    EXPECT_EQ(screens.calls.size(), 3u);
}

TEST_F(TarvPongTest, FailedAnswerCountsAsMissedAndStopIsHarmlessTwice)
{
    ASSERT_TRUE(m.pong.Start());
    UxPumpFor(10000);
    const std::string& pong = m.peer.sent.back();
    m.peer.Receive("999 " + pong.substr(5));
    EXPECT_EQ(screens.calls, std::vector<std::wstring> { L"ShowMsgBox: 요청을 처리하지 못했습니다. 잠시 후 다시 시도해 주세요." });
    UxPumpFor(10000);
    EXPECT_TRUE(screens.Has(kMissedAlert));

    m.pong.Stop();
    m.pong.Stop();
    EXPECT_FALSE(m.pong.IsRunning());
    // A restart forgets the old stamps: the first tick sends again.
    ASSERT_TRUE(m.pong.Start());
    const size_t sent = m.peer.sent.size();
    UxPumpFor(10000);
    EXPECT_EQ(m.peer.sent.size(), sent + 1);
}
