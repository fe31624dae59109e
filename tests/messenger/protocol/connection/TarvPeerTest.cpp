#include "messenger/protocol/buddies/PktInLsta.h"
#include "messenger/protocol/codec/PktOutEmpty.h"
#include "messenger/protocol/login/PktOutAuth.h"
#include "platform/event/MessageQueue.h"
#include "tests/support/MessengerSingletons.h"
#include "tests/support/RecordingScreens.h"
#include "tests/support/TempRegistry.h"
#include "tests/support/TraceCapture.h"
#include "tests/support/UxPump.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

int Length(TarvPeer& peer, const std::string& bytes)
{
    int length = -1;
    peer.GetPacketLength(
        reinterpret_cast<const uint8_t*>(bytes.data()), static_cast<int>(bytes.size()), &length);
    return length;
}

std::string ListReply(const std::string& body)
{
    return "LSTA 4 1 1 " + std::to_string(body.size()) + "\r\n" + body;
}

class TarvPeerTest : public ::testing::Test {
protected:
    TarvPeerTest() { m.me.Id = L"kim@quorix.net"; }

    TempRegistry registry;
    UxTimeFixture time;
    RecordingScreens screens;
    MessengerSingletons m;
};

} // namespace

TEST_F(TarvPeerTest, FramesAreCutAtTheLineOrAfterThePayloadCount)
{
    const std::string line = "LSTA 5 12\r\n";
    EXPECT_EQ(Length(m.peer, line + std::string(11, 'x')), 0);
    EXPECT_EQ(Length(m.peer, line + std::string(12, 'x') + "PING"), 23);
    EXPECT_EQ(Length(m.peer, "PING 3\r\nPONG 4\r\n"), 8);
    EXPECT_EQ(Length(m.peer, "PING 3"), 0);
    // A failure reply is one line, even for a payload command.
    EXPECT_EQ(Length(m.peer, "301 7 LSTA 99\r\n"), 15);
    // A negative or missing count is 0; a payload line without a space cannot stall.
    EXPECT_EQ(Length(m.peer, "LSTA 5 -12\r\nPING"), 12);
    EXPECT_EQ(Length(m.peer, "LSTA 5 x\r\n"), 10);
    EXPECT_EQ(Length(m.peer, "LSTA\r\nPING 1\r\n"), 6);
    // The first word is taken with bounds: a long one is simply not a command.
    EXPECT_EQ(Length(m.peer, std::string(100, 'L') + " 9\r\n"), 104);
    EXPECT_TRUE(screens.calls.empty());
}

TEST_F(TarvPeerTest, OversizedFramesAreReceiveErrorsThatEndTheSession)
{
    m.peer.SetStage(TarvPeer::StageMain);
    EXPECT_EQ(Length(m.peer, "CRP2 1 DP k 16777217\r\n"), 0);
    ASSERT_EQ(screens.calls.size(), 1u);
    EXPECT_EQ(screens.calls[0], L"ShowMsgBox: 네트워크 수신 오류가 발생했습니다.\n\n오류 코드: 10040");
    EXPECT_TRUE(m.peer.IsResetPending());
    EXPECT_EQ(m.peer.GetStage(), TarvPeer::StageDispatch);
    plat::DispatchPending();
    EXPECT_TRUE(screens.Has(L"ResetScreens"));
    EXPECT_FALSE(m.peer.IsResetPending());

    // A line that never ends.
    screens.calls.clear();
    EXPECT_EQ(Length(m.peer, "PING " + std::string(64 * 1024 - 10, '1')), 0);
    EXPECT_TRUE(screens.calls.empty());
    EXPECT_EQ(Length(m.peer, "PING " + std::string(64 * 1024, '1')), 0);
    EXPECT_EQ(screens.Count(L"ShowMsgBox: 네트워크 수신 오류가 발생했습니다.\n\n오류 코드: 10040"), 1u);
    EXPECT_EQ(Length(m.peer, "PING 1\r\n"), 0); // nothing more is cut while the session ends
}

TEST_F(TarvPeerTest, FailureRepliesAreHandledAsTheirRequest)
{
    PktOutAuth auth;
    m.peer.Send(auth);
    const int id = auth.GetTransactionId();
    m.peer.Receive("301 " + std::to_string(id) + "\r\n");
    EXPECT_EQ(screens.calls,
        std::vector<std::wstring> {
            L"ShowMsgBox: 입력하신 비밀번호를 확인하시고, 다시 로그인을 시도해 주세요." });
    EXPECT_EQ(m.pending.Find(id), nullptr);
    EXPECT_EQ(m.peer.sent.size(), 1u); // the chain stops

    // Nothing pending under the id, or a word nobody knows: dropped, pending kept.
    PktOutEmpty ping(L"PING");
    m.peer.Send(ping);
    m.peer.Receive("301 99999\r\nZZZZ " + std::to_string(ping.GetTransactionId()) + "\r\nlin2 0\r\n");
    EXPECT_EQ(screens.calls.size(), 1u);
    EXPECT_NE(m.pending.Find(ping.GetTransactionId()), nullptr);
}

TEST_F(TarvPeerTest, DispatchStageLeadsToTheMainServer)
{
    m.peer.OnConnected();
    m.peer.Receive("PVER 1 N\r\n");
    m.peer.Receive("AUTH 2 abcd\r\n");
    // Closing inside the handler ends the cutting of what was received with it: no PING echo.
    m.peer.Receive("REQS 3 1 127.0.0.1 7001 TKT\r\nPING 77\r\n");
    EXPECT_EQ(m.peer.sent,
        (std::vector<std::string> {
            "PVER 1 1.0.3 2.0 ko.wm\r\n", "AUTH 2 MD5\r\n", "REQS 3 abcd kim@quorix.net\r\n" }));
    EXPECT_EQ(m.me.Ticket, L"TKT");
    EXPECT_EQ(m.peer.GetStage(), TarvPeer::StageMain);
    EXPECT_EQ(m.peer.events, (std::vector<std::string> { "disconnect", "connect 127.0.0.1:7001 mode 3" }));
    EXPECT_EQ(m.pending.GetCount(), 0u);

    m.peer.OnConnected();
    ASSERT_EQ(m.peer.sent.size(), 4u);
    EXPECT_EQ(m.peer.sent[3].rfind("LIN2 4 kim@quorix.net ", 0), 0u);
    EXPECT_NE(m.peer.sent[3].find("TKT\r\n"), std::string::npos);
    EXPECT_TRUE(screens.calls.empty());
}

TEST_F(TarvPeerTest, UpdateOfferWithoutAWayToFetchItGoesOnAndFailedConnectEndsIt)
{
    TraceCapture quiet;
    // No descriptor can be had without the update's downloads: as if it were missing.
    m.peer.Receive("PVER 1 F\r\n");
    EXPECT_EQ(m.peer.sent, std::vector<std::string> { "AUTH 1 MD5\r\n" });

    m.peer.connectResult = false;
    m.peer.Receive("REQS 3 1 nowhere 7001 TKT\r\n");
    EXPECT_EQ(screens.calls, std::vector<std::wstring> { L"ShowMsgBox: 서버에 접속할 수 없습니다." });
    EXPECT_TRUE(m.peer.IsResetPending());
}

TEST_F(TarvPeerTest, SignInFillsMeAndAsksForTheList)
{
    m.me.LoginOffline = true;
    m.peer.SetStage(TarvPeer::StageMain);
    const std::string profile = "N 0 t1 t2 Kim nick p3 p4 p5 p6 p7 p8 p9 N web %00";
    m.peer.Receive("LIN2 4 " + std::to_string(profile.size()) + "\r\n" + profile);
    EXPECT_EQ(std::tie(m.me.Name, m.me.Nick, m.me.Profile9, m.me.WebTicket, m.me.Status),
        std::make_tuple(L"Kim", L"nick", L"p9", L"web", BuddyStatusShownOffline));
    EXPECT_EQ(screens.calls, std::vector<std::wstring> { L"RefreshMyStatus" });
    ASSERT_EQ(m.peer.sent.size(), 2u);
    EXPECT_EQ(m.peer.sent[0], "LSTA 1 FULL 8192 0\r\n");
    EXPECT_EQ(m.peer.sent[1].rfind("CRP2 3 DP %00 36\r\nLOPT 2 TXT 21\r\n", 0), 0u);
    EXPECT_TRUE(m.pong.IsRunning());
    EXPECT_NE(m.pending.Find(2), nullptr);

    // The option's answer comes inside an envelope and settles both requests.
    m.peer.Receive("CRP2 3 DP %00 8\r\nLOPT 2\r\n");
    EXPECT_EQ(m.pending.Find(2), nullptr);
    EXPECT_EQ(m.pending.Find(3), nullptr);
    EXPECT_EQ(screens.calls.size(), 1u);
}

TEST_F(TarvPeerTest, BuddyListFillsTheModelAndOpensTheList)
{
    m.peer.Receive(ListReply("0 0\r\n"));
    EXPECT_TRUE(screens.calls.empty()); // no groups: nothing opens

    m.peer.Receive(ListReply("2 3\r\n0 etc 1 k1\r\n1 friends 3 k2 ghost k1\r\n"
                             "a@q 1 k1 e 1101 O A nA %00 0 %00 %00 %00\r\n"
                             "b@q 1 k2 e 1101 F B nB %00 0 %00 %00 %00\r\n"
                             "c@q 1 k1 e 1101 A C nC %00 0 %00 %00 %00\r\n"));
    EXPECT_EQ(screens.calls,
        (std::vector<std::wstring> {
            L"ReloadBuddyList", L"ShowBuddyList", L"ShowMemoInbox", L"PlayAlert: 0" }));
    EXPECT_EQ(m.groups.GetCount(), 2u);
    EXPECT_EQ(m.buddies.GetCount(), 2u);
    EXPECT_EQ(m.buddies.FindById(L"k1")->Name, L"A");
    EXPECT_EQ(m.groups.Find(L"1")->GetMemberCount(), 2u);
    EXPECT_EQ(m.groups.Find(L"1")->CountOnline(), 1u);

    screens.calls.clear();
    screens.reloadResult = false;
    m.peer.Receive(ListReply("1 0\r\n9 more 0\r\n"));
    EXPECT_EQ(screens.calls, std::vector<std::wstring> { L"ReloadBuddyList" });
}

TEST_F(TarvPeerTest, ServerCommandsOfTheSession)
{
    Buddy k1;
    k1.Id = L"k1";
    k1.Email = L"k1@q";
    m.buddies.Insert(L"k1", k1);
    m.peer.Receive(
        "INFY 0 k1 B 0 x 1\r\nINFY 0 nobody O 0 x 1\r\nTICK 0 t2\r\nSPSH 0 a b c\r\nINCK 0 a b\r\n");
    EXPECT_EQ(m.buddies.FindById(L"k1")->Status, BuddyStatusBusy);
    EXPECT_EQ(m.me.WebTicket, L"t2");
    EXPECT_EQ(screens.calls, (std::vector<std::wstring> { L"RefreshBuddy: k1", L"RefreshChatPeer: k1@q" }));

    // The probe is echoed under its own id.
    m.peer.Receive("PING 41\r\n");
    EXPECT_EQ(m.peer.sent, std::vector<std::string> { "PING 41\r\n" });
}

TEST_F(TarvPeerTest, SecondSignInElsewhereEndsTheSessionOnTheNextTurn)
{
    m.peer.SetStage(TarvPeer::StageMain);
    m.pong.Start();
    m.groups.Insert(Group(L"0", L"etc"));
    m.peer.Receive("KILL 0 kim@quorix.net dev Y 0 0\r\nINFY 0 k1 B 0 x 1\r\n");
    EXPECT_EQ(screens.calls,
        std::vector<std::wstring> {
            L"ShowMsgBox: 다른 기기에서 동일 아이디로 접속하여 로그아웃 되었습니다." });
    // Closed at once, the rest waits for the loop: the lists are still there.
    EXPECT_EQ(m.peer.events, std::vector<std::string> { "disconnect" });
    EXPECT_EQ(m.groups.GetCount(), 1u);
    m.peer.OnClosed();
    m.peer.OnRecvError(10054);
    m.peer.RequestReset();
    EXPECT_EQ(screens.calls.size(), 1u);

    plat::DispatchPending();
    EXPECT_EQ(screens.Count(L"ResetScreens"), 1u);
    EXPECT_EQ(m.groups.GetCount(), 0u);
    EXPECT_FALSE(m.pong.IsRunning());
    EXPECT_EQ(m.peer.GetStage(), TarvPeer::StageDispatch);
    plat::DispatchPending();
    EXPECT_EQ(screens.Count(L"ResetScreens"), 1u);
}

TEST_F(TarvPeerTest, EnvelopesNestOnlySoDeep)
{
    TraceCapture quiet;
    std::string frame = "TICK 0 deep\r\n";
    for (int depth = 1; depth <= TarvPeer::kMaxEnvelopeDepth; ++depth)
        frame = "CRP2 0 DP k " + std::to_string(frame.size()) + "\r\n" + frame;
    m.peer.Receive(frame);
    EXPECT_EQ(m.me.WebTicket, L"");

    m.peer.Receive(frame.substr(frame.find('\n') + 1));
    EXPECT_EQ(m.me.WebTicket, L"deep");
}

TEST_F(TarvPeerTest, EachSignInStepWaitsItsBoundFromItsRequestAndNoLonger)
{
    TraceCapture quiet;
    const std::wstring noAnswer = L"ShowMsgBox: 서버의 응답이 없습니다. 잠시 후 다시 시도해 주세요.";
    const uint64_t bound = static_cast<uint64_t>(TarvPeer::kSignInStepSeconds * 1000);
    m.peer.OnConnected();
    EXPECT_TRUE(m.peer.IsAwaitingSignInStep());
    // Each answer that leads to a request starts the wait anew, at that request.
    UxPumpFor(bound - 1000);
    m.peer.Receive("PVER 1 N\r\n");
    UxPumpFor(bound - 1000);
    m.peer.Receive("AUTH 2 abcd\r\n");
    UxPumpFor(bound - 1000);
    EXPECT_TRUE(screens.calls.empty());
    EXPECT_TRUE(m.peer.IsAwaitingSignInStep());
    UxPumpFor(1000);
    EXPECT_EQ(screens.calls, (std::vector<std::wstring> { noAnswer, L"ResetScreens", L"UpdateNotifyIcons" }));
    EXPECT_FALSE(m.peer.IsAwaitingSignInStep());

    // Through to the buddy list, nothing is waited for any more: no alert comes later.
    screens.calls.clear();
    m.peer.OnConnected();
    m.peer.Receive("PVER 4 N\r\nAUTH 5 abcd\r\nREQS 6 1 127.0.0.1 7001 TKT\r\n");
    m.peer.OnConnected();
    const std::string profile = "N 0 t1 t2 Kim nick p3 p4 p5 p6 p7 p8 p9 N web %00";
    m.peer.Receive("LIN2 8 " + std::to_string(profile.size()) + "\r\n" + profile);
    EXPECT_TRUE(m.peer.IsAwaitingSignInStep()); // the list
    m.peer.Receive(ListReply("1 0\r\n0 etc 0\r\n"));
    EXPECT_TRUE(screens.Has(L"ShowBuddyList"));
    EXPECT_FALSE(m.peer.IsAwaitingSignInStep());
    m.pong.Stop();
    UxPumpFor(2 * bound);
    EXPECT_FALSE(screens.Has(noAnswer));
}
