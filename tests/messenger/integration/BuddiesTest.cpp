// Buddy, group, status and notice traffic against the local service, with other demo
// accounts acting as its second party.
#include "messenger/protocol/buddies/BuddyActions.h"
#include "messenger/protocol/login/SignOut.h"
#include "tests/support/ServiceSession.h"

#include <tuple>

namespace {

constexpr const wchar_t* kMinsu = L"minsu@quorix.net";
constexpr const wchar_t* kJiyeon = L"jiyeon@quorix.net";
constexpr const wchar_t* kJunho = L"junho@quorix.net";
constexpr const wchar_t* kDahye = L"dahye@mailbox.kr";
constexpr uint32_t FL = 1, AL = 2, BL = 4, RL = 8;

class BuddiesTest : public ServiceSessionTest {
protected:
    void SetUp() override
    {
        SetUpSignedIn(kMinsu, L"minsu1234");
        screens.calls.clear();
    }

    // The flags the service keeps for buddy on user's list, as "1101".
    std::string FlagsOnService(const std::string& user, const std::string& buddy)
    {
        const std::string account = service.Get("/account?id=" + user);
        const size_t at = account.find(R"({"id": ")" + buddy + R"(", "flags": ")");
        return at == std::string::npos ? "" : account.substr(at + buddy.size() + 21, 4);
    }

    Buddy* Find(const std::wstring& id) { return m.buddies.FindById(id); }
    uint32_t Flags(const std::wstring& id) { return Find(id) ? Find(id)->Flags : 0; }
};

} // namespace

TEST_F(BuddiesTest, RequestFromAnotherAccountIsAcceptedAndBothListsShowEachOther)
{
    Party("sign-in", "dahye@mailbox.kr");
    Party("ask", "dahye@mailbox.kr", R"(, "to": "minsu@quorix.net", "message": "친구 해요")");
    ASSERT_TRUE(PumpUntil([&] { return Find(kDahye) != nullptr; }));
    EXPECT_EQ(Flags(kDahye), RL);
    ASSERT_TRUE(PumpUntil(
        [&] { return screens.Has(L"AskBuddyRequest: dahye@mailbox.kr dahye@mailbox.kr 친구 해요"); }));

    ASSERT_TRUE(AcceptBuddy(*Find(kDahye), L"1"));
    ASSERT_TRUE(PumpUntil([&] { return m.groups.Find(L"1")->HasMember(kDahye); }));
    EXPECT_EQ(Flags(kDahye), FL | AL | RL);
    EXPECT_EQ(Find(kDahye)->Name, L"정다혜");
    // She allowed this user when she asked: her status shows from now on.
    ASSERT_TRUE(PumpUntil([&] { return Find(kDahye)->Status == BuddyStatusOnline; }));
    EXPECT_EQ(FlagsOnService("minsu@quorix.net", "dahye@mailbox.kr"), "1101");
    EXPECT_EQ(FlagsOnService("dahye@mailbox.kr", "minsu@quorix.net"), "1101");
}

TEST_F(BuddiesTest, RequestTheOtherSideRejectsShowsNothingOfThem)
{
    Party("sign-in", "dahye@mailbox.kr");
    ASSERT_TRUE(AskToAddBuddy(L"dahye", L"mailbox.kr", L"친구", L"안녕하세요"));
    ASSERT_TRUE(PumpUntil([&] { return m.groups.Find(L"1")->HasMember(kDahye); }));
    EXPECT_EQ(std::tie(Find(kDahye)->Email, Find(kDahye)->Flags), std::make_tuple(kDahye, FL | AL));
    EXPECT_NE(Received("dahye@mailbox.kr", "ADDB").find(R"(["RL", "minsu@quorix.net")"), std::string::npos);

    Party("answer", "dahye@mailbox.kr", R"(, "from": "minsu@quorix.net", "accept": false)");
    EXPECT_EQ(FlagsOnService("dahye@mailbox.kr", "minsu@quorix.net"), "0011");
    PumpUntil([] { return false; }, 300);
    EXPECT_EQ(Find(kDahye)->Status, BuddyStatusNotReported); // the answer told no status
}

TEST_F(BuddiesTest, BlockAndUnblockChangeWhatTheOtherSideSees)
{
    Party("sign-in", "jiyeon@quorix.net");
    ASSERT_TRUE(BlockBuddy(*Find(kJiyeon), L"1"));
    ASSERT_TRUE(PumpUntil([&] { return Flags(kJiyeon) & BL; }));
    EXPECT_EQ(Flags(kJiyeon) & AL, 0u);
    EXPECT_TRUE(screens.Has(L"RefreshBuddyProfile: jiyeon@quorix.net"));
    const std::string offline = R"("args": ["minsu@quorix.net", "F")";
    EXPECT_NE(Received("jiyeon@quorix.net", "NTFY").find(offline), std::string::npos);

    ASSERT_TRUE(AllowBuddy(*Find(kJiyeon), L"1"));
    ASSERT_TRUE(PumpUntil([&] { return Flags(kJiyeon) & AL; }));
    const std::string notices = Received("jiyeon@quorix.net", "NTFY");
    EXPECT_GT(notices.rfind(R"("args": ["minsu@quorix.net", "O")"), notices.find(offline));
}

TEST_F(BuddiesTest, DeleteNewGroupAndMoves)
{
    Party("sign-in", "junho@quorix.net");
    ASSERT_TRUE(DeleteBuddy(*Find(kJunho)));
    ASSERT_TRUE(PumpUntil([&] { return !(Flags(kJunho) & FL); }));
    EXPECT_EQ(Find(kJunho)->Status, BuddyStatusOffline);
    EXPECT_EQ(m.groups.FindByMember(kJunho), nullptr);
    EXPECT_NE(Received("junho@quorix.net", "RMVB").find(R"(["RL", "minsu@quorix.net")"), std::string::npos);

    ASSERT_TRUE(AddGroup(L"동호회"));
    ASSERT_TRUE(PumpUntil([&] { return m.groups.FindByName(L"동호회") != nullptr; }));
    const std::wstring club = m.groups.FindByName(L"동호회")->Id;
    EXPECT_EQ(club, L"3");

    ASSERT_TRUE(MoveBuddy(*Find(kJiyeon), L"1", club));
    ASSERT_TRUE(PumpUntil([&] { return m.groups.Find(club)->HasMember(kJiyeon); }));
    EXPECT_FALSE(m.groups.Find(L"1")->HasMember(kJiyeon));
    EXPECT_NE(service.Get("/account?id=minsu@quorix.net")
                  .find(R"("id": "jiyeon@quorix.net", "flags": "1101", "group": "3")"),
        std::string::npos);
    EXPECT_TRUE(PumpUntil([&] { return m.pending.GetCount() == 0; }));
}

TEST_F(BuddiesTest, OtherAccountsStatusNickAndProfileReachTheModel)
{
    Party("sign-in", "jiyeon@quorix.net");
    ASSERT_TRUE(PumpUntil([&] { return Find(kJiyeon)->Status == BuddyStatusOnline; }));
    EXPECT_TRUE(screens.Has(L"PlayAlert: 1"));
    Party("status", "jiyeon@quorix.net", R"(, "status": "A")");
    ASSERT_TRUE(PumpUntil([&] { return Find(kJiyeon)->Status == BuddyStatusAway; }));
    Party("nick", "jiyeon@quorix.net", R"(, "nick": "바쁜 지연")");
    ASSERT_TRUE(PumpUntil([&] { return Find(kJiyeon)->Nick == L"바쁜 지연"; }));
    Party("profile", "jiyeon@quorix.net", R"(, "mobile": "010-5555-0000")");
    ASSERT_TRUE(PumpUntil([&] { return Find(kJiyeon)->Mobile == L"010-5555-0000"; }));
    EXPECT_EQ(screens.Count(L"RefreshChatPeer: jiyeon@quorix.net"), 2u);

    // The user's own changes come back as a refreshed own line.
    ASSERT_TRUE(ChangeStatus(BuddyStatusBusy));
    ASSERT_TRUE(ChangeNick(L"회의 중인 민수"));
    ASSERT_TRUE(PumpUntil([&] { return screens.Count(L"RefreshMyStatus") == 2; }));
    EXPECT_NE(Received("jiyeon@quorix.net", "NNIK").find("회의 중인 민수"), std::string::npos);
}

TEST_F(BuddiesTest, ServiceNoticeReachesTheNoticeBox)
{
    Control("/notice", "minsu@quorix.net", R"(, "command": "SNFY", "args": ["1", "2", "서버 점검 안내"])");
    EXPECT_TRUE(PumpUntil([&] { return screens.Has(L"ShowNotifyBox: 공지사항: 서버 점검 안내"); }));
}

TEST_F(BuddiesTest, SignOutSendsLoutAndResets)
{
    Party("sign-in", "jiyeon@quorix.net");
    ASSERT_TRUE(SignOut());
    EXPECT_EQ(screens.calls, (std::vector<std::wstring> { L"ResetScreens", L"UpdateNotifyIcons" }));
    EXPECT_EQ(m.buddies.GetCount(), 0u);
    ASSERT_TRUE(PumpUntil([&] {
        return Received("jiyeon@quorix.net", "NTFY").find(R"(["minsu@quorix.net", "F")") != std::string::npos;
    }));
    EXPECT_NE(service.Get("/log?user=minsu@quorix.net").find("\"LOUT "), std::string::npos);
    // No alert follows the close.
    PumpUntil([] { return false; }, 300);
    EXPECT_EQ(screens.calls.size(), 2u);
}
