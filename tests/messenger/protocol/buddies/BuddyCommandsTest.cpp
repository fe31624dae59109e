// The buddy, group and notice commands through a connection without a socket: what
// the screens' requests put on the wire, and what each answer or notice does to the
// lists and the screens.
#include "messenger/protocol/buddies/BuddyActions.h"
#include "messenger/protocol/buddies/PktBuddyWords.h"
#include "messenger/protocol/buddies/PktOutMvbg.h"
#include "messenger/protocol/notices/PktInSnfy.h"
#include "platform/event/MessageQueue.h"
#include "tests/support/MessengerSingletons.h"
#include "tests/support/RecordingScreens.h"
#include "tests/support/TraceCapture.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <tuple>

namespace {

constexpr uint32_t FL = 1, AL = 2, BL = 4, RL = 8;

class BuddyCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m.peer.SetStage(TarvPeer::StageMain);
        m.groups.Insert(Group(L"0", L"기타"));
        m.groups.Insert(Group(L"1", L"친구"));
        AddBuddy(L"k1", L"a@q", FL | AL, L"0");
        AddBuddy(L"k2", L"b@q", FL | AL, L"1");
    }

    void AddBuddy(
        const std::wstring& id, const std::wstring& email, uint32_t flags, const std::wstring& group)
    {
        Buddy buddy;
        buddy.Id = id;
        buddy.Email = email;
        buddy.Flags = flags;
        buddy.Status = BuddyStatusOffline;
        m.buddies.Insert(id, buddy);
        m.groups.Find(group)->AddMember(id);
    }

    Buddy& B(const std::wstring& id) { return *m.buddies.FindById(id); }

    // The request inside the last envelope sent, with its id word as "#".
    std::string LastRequest() const
    {
        const std::string& frame = m.peer.sent.back();
        std::string inner = frame.substr(frame.find("\r\n") + 2);
        const size_t id = inner.find(' ') + 1;
        return inner.substr(0, id) + "#" + inner.substr(inner.find_first_of(" \r", id));
    }
    int32_t LastRequestId() const
    {
        const std::string& frame = m.peer.sent.back();
        return std::stoi(frame.substr(frame.find("\r\n") + 7));
    }
    // The service's answer to the last request, on a line of its own.
    void Answer(const std::string& command, const std::string& args, const std::string& payload = "")
    {
        std::string line = command + " " + std::to_string(LastRequestId()) + " " + args;
        if (!payload.empty() || command == "MVBG")
            line += " " + std::to_string(payload.size());
        m.peer.Receive(line + "\r\n" + payload);
    }

    TraceCapture trace;
    RecordingScreens screens;
    MessengerSingletons m;
};

} // namespace

TEST_F(BuddyCommandsTest, ScreenRequestsTravelInsideServiceEnvelopes)
{
    const struct {
        std::function<bool()> action;
        std::string request;
    } cases[] = {
        { [&] { return AllowBuddy(B(L"k1"), L"0"); }, "ADDB # AL k1 a@q 0\r\n" },
        { [&] { return BlockBuddy(B(L"k1"), L"0"); }, "ADDB # BL k1 a@q 0\r\n" },
        { [&] { return AcceptBuddy(B(L"k2"), L"1"); }, "ADSB # ACCPT k2 b@q 1 %00\r\n" },
        { [&] { return RejectBuddy(B(L"k2"), L"1"); }, "ADSB # REJCT k2 b@q 1 %00\r\n" },
        { [&] { return AskToAddBuddy(L"new", L"quorix.net", L"친구", L"안녕 하세요"); },
            "ADSB # REQST %00 new@quorix.net 1 안녕%20하세요\r\n" },
        { [&] { return DeleteBuddy(B(L"k1")); }, "RMVB # FL k1 a@q\r\n" },
        { [&] { return AddGroup(L"새 그룹"); }, "ADDG # 0 새%20그룹\r\n" },
        { [&] { return MoveBuddy(B(L"k1"), L"0", L"1"); }, "MVBG # 0 14\r\n0 k1 a@q 0 1\r\n" },
        { [&] { return ChangeNick(L"새 별명"); }, "CNIK # 새%20별명\r\n" },
        { [&] { return ChangeStatus(BuddyStatusAway); }, "ONST # A 0 %00 2\r\n" },
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(c.action()) << c.request;
        EXPECT_EQ(m.peer.sent.back().substr(0, 5), "CRP2 ");
        EXPECT_NE(m.peer.sent.back().find(" DP %00 "), std::string::npos);
        EXPECT_EQ(LastRequest(), c.request);
    }
    // Each envelope and each request waits for its answer.
    EXPECT_EQ(m.pending.GetCount(), 2 * std::size(cases));
    EXPECT_EQ(std::tie(m.me.Nick, m.me.Status), std::make_tuple(L"새 별명", BuddyStatusAway));

    // Nothing goes out for an unknown group name, a move within one group, or before
    // the sign-in.
    const size_t sent = m.peer.sent.size();
    EXPECT_FALSE(AskToAddBuddy(L"x", L"q", L"없는 그룹", L""));
    EXPECT_FALSE(MoveBuddy(B(L"k1"), L"0", L"0"));
    m.peer.SetStage(TarvPeer::StageDispatch);
    EXPECT_FALSE(AddGroup(L"g"));
    EXPECT_EQ(m.peer.sent.size(), sent);
}

TEST_F(BuddyCommandsTest, AllowAndBlockAnswersReplaceTheTwoBits)
{
    B(L"k1").Flags = FL | BL | RL;
    AllowBuddy(B(L"k1"), L"0");
    Answer("ADDB", "k1 %00");
    EXPECT_EQ(B(L"k1").Flags, FL | AL | RL);
    BlockBuddy(B(L"k1"), L"0");
    Answer("ADDB", "k1 %00");
    EXPECT_EQ(B(L"k1").Flags, FL | BL | RL);
    EXPECT_EQ(screens.calls,
        (std::vector<std::wstring> { L"RefreshBuddy: k1", L"RefreshBuddyProfile: k1", L"RefreshBuddy: k1",
            L"RefreshBuddyProfile: k1" }));

    // An answer whose request is gone, or a failure, changes nothing.
    screens.calls.clear();
    m.peer.Receive("ADDB 999 k1 %00\r\n");
    AllowBuddy(B(L"k1"), L"0");
    m.peer.Receive("304 " + std::to_string(LastRequestId()) + "\r\n");
    EXPECT_EQ(B(L"k1").Flags, FL | BL | RL);
    EXPECT_EQ(screens.calls, std::vector<std::wstring> { L"ShowMsgBox: 존재하지 않는 아이디입니다." });
}

TEST_F(BuddyCommandsTest, RequestNoticeAddsTheRequesterOnceAndAsksOnlyAboutStrangers)
{
    // Ids of the longest length allowed are taken; one character more names nobody.
    const std::string longestId(kMaxBuddyText, 'y'), longId(kMaxBuddyText + 1, 'x');
    m.peer.Receive("ADDB 0 RL c@q c@q 친구%20해요 e\r\n"
                   "ADDB 0 RL c@q c@q again e\r\n"
                   "ADDB 0 RL k9 a@q hi e\r\n" // already a buddy under its other id
                   "ADDB 0 RL "
        + longId + " " + longId + " hi e\r\nADDB 0 FL k1 a@q 0 name e\r\n");
    ASSERT_NE(m.buddies.FindById(L"c@q"), nullptr);
    EXPECT_EQ(std::tie(B(L"c@q").Email, B(L"c@q").Flags, B(L"c@q").Name, B(L"c@q").Extra),
        std::make_tuple(L"c@q", RL, L"", L"e"));
    EXPECT_EQ(m.buddies.GetCount(), 3u);
    // The second notice finds the record it made: still a stranger, so it asks again.
    EXPECT_EQ(screens.calls,
        (std::vector<std::wstring> {
            L"AskBuddyRequest: c@q c@q 친구 해요", L"AskBuddyRequest: c@q c@q again" }));
    m.peer.Receive("ADDB 0 RL " + longestId + " " + longestId + " hi e\r\n");
    EXPECT_NE(m.buddies.FindById(std::wstring(kMaxBuddyText, L'y')), nullptr);
}

TEST_F(BuddyCommandsTest, RequestAcceptAndRejectAnswers)
{
    AskToAddBuddy(L"new", L"q", L"친구", L"hi");
    Answer("ADSB", "REQST n1 이름 0 x");
    const Buddy* added = m.buddies.FindById(L"n1");
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(std::tie(added->Email, added->Name, added->Flags), std::make_tuple(L"new@q", L"이름", FL | AL));
    EXPECT_TRUE(m.groups.Find(L"1")->HasMember(L"n1"));

    AddBuddy(L"r1", L"r@q", RL | BL, L"0");
    m.groups.Find(L"0")->RemoveMember(L"r1");
    AcceptBuddy(B(L"r1"), L"1");
    Answer("ADSB", "ACCPT r1 받은이름 0 ex");
    EXPECT_EQ(std::tie(B(L"r1").Name, B(L"r1").Extra, B(L"r1").Flags),
        std::make_tuple(L"받은이름", L"ex", FL | AL | RL));
    EXPECT_TRUE(m.groups.Find(L"1")->HasMember(L"r1"));

    AddBuddy(L"r2", L"s@q", RL | AL, L"0");
    RejectBuddy(B(L"r2"), L"0");
    Answer("ADSB", "REJCT r2 ex");
    EXPECT_EQ(B(L"r2").Flags, RL | BL);
    EXPECT_EQ(screens.Count(L"ReloadBuddyList"), 2u);

    // A request into a group that has gone meanwhile adds the buddy to no group.
    AskToAddBuddy(L"other", L"q", L"친구", L"");
    m.groups.Clear();
    Answer("ADSB", "REQST n2 n 0 x");
    EXPECT_EQ(screens.Count(L"ReloadBuddyList"), 2u);
}

TEST_F(BuddyCommandsTest, DeleteClearsTheForwardBitAndEveryGroup)
{
    m.groups.Find(L"1")->AddMember(L"k1");
    B(L"k1").Status = BuddyStatusOnline;
    DeleteBuddy(B(L"k1"));
    Answer("RMVB", "k1");
    EXPECT_EQ(std::tie(B(L"k1").Flags, B(L"k1").Status), std::make_tuple(AL, BuddyStatusOffline));
    EXPECT_EQ(m.groups.FindByMember(L"k1"), nullptr);
    EXPECT_EQ(screens.calls, std::vector<std::wstring> { L"ReloadBuddyList" });

    // Someone taking this user off their list, or an answer of another kind, changes nothing.
    m.peer.Receive("RMVB 0 RL k2 b@q\r\nRMVB 0 AL k2 b@q\r\n");
    EXPECT_EQ(B(L"k2").Flags, FL | AL);
    EXPECT_TRUE(m.groups.Find(L"1")->HasMember(L"k2"));
}

TEST_F(BuddyCommandsTest, NewGroupTakesTheServiceId)
{
    AddGroup(L"회사");
    Answer("ADDG", "0 7");
    ASSERT_NE(m.groups.Find(L"7"), nullptr);
    EXPECT_EQ(m.groups.Find(L"7")->Name, L"회사");
    AddGroup(L"빈 답");
    Answer("ADDG", "0");
    EXPECT_EQ(m.groups.GetCount(), 3u);
    EXPECT_EQ(screens.calls, std::vector<std::wstring> { L"ReloadBuddyList" });
}

TEST_F(BuddyCommandsTest, MovesFollowTheAnswerPairsInRequestOrder)
{
    AddBuddy(L"k3", L"c@q", FL, L"0");
    using Members = std::set<std::wstring>;
    const struct {
        std::string pairs;
        Members group0, group1;
    } cases[] = {
        // every move done; a surplus pair answers nothing that was asked
        { "0 100 1 100\r\n2 100 9 100\r\n", { L"k2" }, { L"k1", L"k3" } },
        // fewer pairs leave the rest where they were; a refused move stays
        { "0 100\r\n", { L"k3" }, { L"k1", L"k2" } },
        { "0 322  1 100 \r\n", { L"k1" }, { L"k2", L"k3" } },
        { "", { L"k1", L"k3" }, { L"k2" } },
    };
    for (const auto& c : cases) {
        m.groups.Find(L"0")->Members = { L"k1", L"k3" };
        m.groups.Find(L"1")->Members = { L"k2" };
        screens.calls.clear();
        PktOutMvbg request;
        request.AddRecord(L"k1", L"a@q", L"0", L"1");
        request.AddRecord(L"k3", L"c@q", L"0", L"1");
        request.AddRecord(L"k2", L"b@q", L"1", L"0");
        ASSERT_TRUE(SendBuddyRequest(request));
        Answer("MVBG", "0", c.pairs);
        EXPECT_EQ(m.groups.Find(L"0")->Members, c.group0) << c.pairs;
        EXPECT_EQ(m.groups.Find(L"1")->Members, c.group1) << c.pairs;
        EXPECT_EQ(screens.calls.back(), L"ReloadBuddyList");
    }
    EXPECT_EQ(screens.calls, std::vector<std::wstring> { L"ReloadBuddyList" });

    // A move into a group that is gone stops there: earlier moves stay, no reload.
    screens.calls.clear();
    PktOutMvbg request;
    request.AddRecord(L"k1", L"a@q", L"0", L"1");
    request.AddRecord(L"k3", L"c@q", L"0", L"5");
    request.AddRecord(L"k2", L"b@q", L"1", L"0");
    SendBuddyRequest(request);
    Answer("MVBG", "0", "0 100 1 100 2 100\r\n");
    EXPECT_EQ(m.groups.Find(L"1")->Members, (Members { L"k1", L"k2" }));
    EXPECT_EQ(screens.calls, std::vector<std::wstring> { L"MoveProfileBuddy: k1 1" });
}

TEST_F(BuddyCommandsTest, NoticesOfOtherBuddiesFollowStatusNickAndProfile)
{
    B(L"k2").Status = BuddyStatusAway;
    m.peer.Receive("NTFY 0 k1 X 0 %00 1\r\n" // offline to shown offline: came online
                   "NTFY 0 k2 O 0 %00 1\r\n" // away to online: no alert
                   "NTFY 0 k2 Q 0 %00 1\r\n" // an unknown letter reads as not reported
                   "NTFY 0 ghost O 0 %00 1\r\n"
                   "NNIK 0 k1 새%20별명\r\nNNIK 0 ghost x\r\n"
                   "NPRF 0 k1 100101 010-1 t3 t1 t2 Y 19900101\r\n"
                   "NPRF 0 k2 10010 010-2 t3 t1 t2 Y 19900101\r\n");
    EXPECT_EQ(std::tie(B(L"k1").Status, B(L"k2").Status),
        std::make_tuple(BuddyStatusShownOffline, BuddyStatusNotReported));
    EXPECT_EQ(B(L"k1").Nick, L"새 별명");
    EXPECT_EQ(std::tie(B(L"k1").Mobile, B(L"k1").Text3, B(L"k1").Text1, B(L"k1").Text2, B(L"k1").ProfileFlag,
                  B(L"k1").Birthday),
        std::make_tuple(L"010-1", L"", L"", L"t2", uint8_t(0), L"19900101"));
    // A mask shorter than six characters changes nothing.
    EXPECT_EQ(B(L"k2").Mobile, L"");
    EXPECT_EQ(screens.calls,
        (std::vector<std::wstring> { L"PlayAlert: 1", L"RefreshBuddy: k1", L"RefreshChatPeer: a@q",
            L"RefreshBuddy: k2", L"RefreshChatPeer: b@q", L"RefreshBuddy: k2", L"RefreshChatPeer: b@q",
            L"RefreshBuddy: k1" }));

    // Names far longer than any the service gives are cut.
    m.peer.Receive("NNIK 0 k1 " + std::string(5000, 'n') + "\r\n");
    EXPECT_EQ(B(L"k1").Nick.size(), kMaxBuddyText);
}

TEST_F(BuddyCommandsTest, ServiceNoticesOpenTheNoticeBoxAndSignalsChangeNothing)
{
    m.peer.Receive("SNFY 0 a b 서비스%20점검%20안내\r\nSNFY 0 a b\r\n"
                   "ALRM 0\r\nCALM 0\r\nPACK 0\r\nPNAK 0\r\nWHSP 0\r\nSNFY 0 a b "
        + std::string(5000, 'x') + "\r\n");
    ASSERT_EQ(screens.calls.size(), 3u);
    EXPECT_EQ(screens.calls[0], L"ShowNotifyBox: 공지사항: 서비스 점검 안내");
    EXPECT_EQ(screens.calls[1], L"ShowNotifyBox: 공지사항: ");
    EXPECT_EQ(screens.calls[2], L"ShowNotifyBox: 공지사항: " + std::wstring(PktInSnfy::kMaxText, L'x'));
}
