// The buddy list on screen, signed in to the local service, with other demo accounts
// acting as the second party.
#include "app/buddies/BuddyListPage.h"
#include "messenger/model/BuddyList.h"
#include "messenger/model/ChatSessionList.h"
#include "messenger/model/GroupList.h"
#include "messenger/model/Options.h"
#include "messenger/protocol/buddies/BuddyActions.h"
#include "platform/display/Display.h"
#include "platform/event/Window.h"
#include "tests/support/AppDriver.h"
#include "tests/support/FrameCheck.h"

#include <gtest/gtest.h>

namespace {

using Rows = std::vector<std::wstring>;

// What the list shows, row by row: "name (online/total)" for groups, the buddy's
// texts for the view option otherwise ("name / line under it").
Rows Shown(BuddyListView& view)
{
    Rows rows;
    const int32_t viewType = Options::GetInstance()->GetViewType();
    for (int32_t i = 0; i < view.GetRowCount(); ++i) {
        const UxListRow& row = view.GetRow(i);
        if (row.hidden || (row.kind == UxListRow::Item && !view.IsGroupExpanded(i)))
            continue;
        if (const Group* group = view.GetGroup(i)) {
            rows.push_back(BuddyListView::GroupTitle(*group));
        } else if (const Buddy* buddy = view.GetBuddy(i)) {
            const auto [first, second] = BuddyListView::RowTexts(*buddy, viewType);
            rows.push_back(second.empty() ? first : first + L" / " + second);
        }
    }
    return rows;
}

// The driver and what both fixtures ask of the list.
class BuddyListFixture : public ::testing::Test {
protected:
    explicit BuddyListFixture(bool service)
        : driver([service] {
            AppDriver::Setup setup;
            setup.service = service;
            return setup;
        }())
    {
    }
    MessengerApp& App() { return driver.App(); }
    BuddyListView& View() { return App().GetBuddyListPage().GetView(); }
    // The options' sort and view, applied as the option pages apply them.
    void SetOptions(int32_t sort, int32_t view)
    {
        Options::GetInstance()->SetSortType(sort);
        Options::GetInstance()->SetViewType(view);
        App().ReloadBuddyList();
        driver.Settle();
    }

    AppDriver driver;
};

class BuddyListScreen : public BuddyListFixture {
protected:
    BuddyListScreen()
        : BuddyListFixture(true)
    {
    }
    void SetUp() override
    {
        ASSERT_TRUE(driver.StartSignedIn());
    }

    Buddy* Find(const wchar_t* id) { return BuddyList::GetInstance()->FindById(id); }
    int32_t RowOf(const std::wstring& text)
    {
        for (int32_t i = 0; i < View().GetRowCount(); ++i) {
            const Group* group = View().GetGroup(i);
            const Buddy* buddy = View().GetBuddy(i);
            if ((group && BuddyListView::GroupTitle(*group) == text) || (buddy && buddy->Name == text))
                return i;
        }
        return -1;
    }
    // What the screen shows of a row: a checksum, or how many pixels differ from white.
    uint64_t Scan(int32_t index, bool ink = false)
    {
        driver.Flush();
        const plat::RECT r = View().ClientToScreen(View().GetRowRect(index));
        uint64_t sum = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                sum = ink ? sum + (driver.Pixel(x, y) != 0xFFFFFF) : sum * 31 + driver.Pixel(x, y);
        return sum;
    }
    bool Shows(const Rows& rows)
    {
        // Rows grow in and shrink out over manual time.
        return driver.WaitFor([&] { return driver.Advance(100), Shown(View()) == rows; }, 10000);
    }
};

} // namespace

TEST_F(BuddyListScreen, FollowsTheSecondPartysStatusAndNick)
{
    EXPECT_EQ(driver.Screen(), L"BuddyList");
    EXPECT_TRUE(driver.IsShown(L"SearchBar/SearchIcon"));
    EXPECT_FALSE(driver.IsShown(L"SearchBar/RollbackIcon"));
    EXPECT_EQ(Shown(View()),
        (Rows { L"기타 (0/0)", L"친구 (0/1)", L"이지연 / 지연이", L"회사 (0/1)", L"박준호 / 준호" }));

    const uint64_t before = Scan(RowOf(L"친구 (0/1)"));
    driver.Party("sign-in", "jiyeon@quorix.net");
    ASSERT_TRUE(Shows({ L"기타 (0/0)", L"친구 (1/1)", L"이지연 / 지연이", L"회사 (0/1)", L"박준호 / 준호" }));
    EXPECT_NE(Scan(RowOf(L"친구 (1/1)")), before); // the count is repainted with the buddy
    driver.Party("status", "jiyeon@quorix.net", R"(, "status": "A")");
    driver.Party("nick", "jiyeon@quorix.net", R"(, "nick": "바쁜 지연")");
    ASSERT_TRUE(
        Shows({ L"기타 (0/0)", L"친구 (1/1)", L"이지연 / 바쁜 지연", L"회사 (0/1)", L"박준호 / 준호" }));
    EXPECT_EQ(Find(L"jiyeon@quorix.net")->Status, BuddyStatusAway);
    driver.Screenshot("grouped");

    // Online only: rows come and go with the buddies.
    SetOptions(Options::SortOnline, Options::ViewNameNick);
    EXPECT_EQ(Shown(View()), (Rows { L"기타 (0/0)", L"친구 (1/1)", L"이지연 / 바쁜 지연", L"회사 (0/1)" }));
    driver.Party("sign-in", "junho@quorix.net");
    ASSERT_TRUE(
        Shows({ L"기타 (0/0)", L"친구 (1/1)", L"이지연 / 바쁜 지연", L"회사 (1/1)", L"박준호 / 준호" }));
    driver.Party("sign-out", "jiyeon@quorix.net");
    ASSERT_TRUE(Shows({ L"기타 (0/0)", L"친구 (0/1)", L"회사 (1/1)", L"박준호 / 준호" }));
    driver.Settle();
    driver.Screenshot("online-only");
}

TEST_F(BuddyListScreen, SearchFoldAndViewTypes)
{
    // Searching by part of a Korean name, then by part of a user id.
    ASSERT_TRUE(driver.Tap(L"SearchBar/SearchWord"));
    driver.TypeKorean(L"지연");
    EXPECT_EQ(driver.Text(L"SearchBar/SearchWord"), L"지연");
    EXPECT_EQ(Shown(View()), (Rows { L"친구 (0/1)", L"이지연 / 지연이" }));
    EXPECT_TRUE(driver.IsShown(L"SearchBar/RollbackIcon"));
    EXPECT_FALSE(driver.IsShown(L"SearchBar/SearchIcon"));
    driver.Screenshot("searching");
    ASSERT_TRUE(driver.Tap(L"SearchBar/RollbackIcon"));
    EXPECT_EQ(driver.Text(L"SearchBar/SearchWord"), L"");
    EXPECT_EQ(Shown(View()).size(), 5u);
    ASSERT_TRUE(driver.Tap(L"SearchBar/SearchWord"));
    driver.Type(L"junho@");
    EXPECT_EQ(Shown(View()), (Rows { L"회사 (0/1)", L"박준호 / 준호" }));
    driver.Type(L"X"); // case counts
    EXPECT_EQ(Shown(View()), (Rows {}));
    ASSERT_TRUE(driver.Tap(L"SearchBar/RollbackIcon"));

    // A tap on a group row folds it, a second one unfolds it.
    const int32_t friends = RowOf(L"친구 (0/1)");
    ASSERT_TRUE(driver.TapRow(&View(), friends));
    driver.Settle();
    EXPECT_EQ(Shown(View()), (Rows { L"기타 (0/0)", L"친구 (0/1)", L"회사 (0/1)", L"박준호 / 준호" }));
    EXPECT_EQ(View().GetRow(friends + 1).shownHeight, 0);
    // Rows folded to nothing paint nothing, not over the rows above.
    EXPECT_GT(Scan(friends - 1, true), 200u);
    EXPECT_GT(Scan(friends, true), 200u);
    ASSERT_TRUE(driver.TapRow(&View(), friends));
    driver.Settle();
    EXPECT_EQ(View().GetRow(friends + 1).shownHeight, View().GetItemHeight());
    // A long press folds it too, and the row is not left lit: right of its title it
    // shows the fill it had.
    const plat::RECT group = View().ClientToScreen(View().GetRowRect(friends));
    const int y = (group.top + group.bottom) / 2;
    const plat::RECT beside { group.right - 60, y, group.right, y + 1 };
    const std::vector<uint32_t> unlit = AreaColours(beside);
    driver.Hold(240, y, 800);
    driver.Settle();
    EXPECT_FALSE(View().GetRow(friends).expanded);
    EXPECT_EQ(View().GetSelection(), -1);
    EXPECT_EQ(AreaColours(beside), unlit);
    ASSERT_TRUE(driver.TapRow(&View(), friends));
    driver.Settle();

    const struct {
        int32_t view;
        Rows rows;
    } cases[] = {
        { Options::ViewName, { L"기타 (0/0)", L"친구 (0/1)", L"이지연", L"회사 (0/1)", L"박준호" } },
        { Options::ViewNick, { L"기타 (0/0)", L"친구 (0/1)", L"지연이", L"회사 (0/1)", L"준호" } },
        { Options::ViewNameId,
            { L"기타 (0/0)", L"친구 (0/1)", L"이지연 / jiyeon@quorix.net", L"회사 (0/1)",
                L"박준호 / junho@quorix.net" } },
    };
    for (const auto& c : cases) {
        SetOptions(Options::SortAll, c.view);
        EXPECT_EQ(Shown(View()), c.rows) << c.view;
    }
}

TEST_F(BuddyListScreen, RequestsAddBuddies)
{
    // Asked by another account: the question comes up; once accepted the buddy shows.
    driver.Party("sign-in", "dahye@mailbox.kr");
    driver.Party("ask", "dahye@mailbox.kr", R"(, "to": "minsu@quorix.net", "message": "친구 해요")");
    ASSERT_TRUE(driver.WaitFor([&] { return driver.Popup() != nullptr; }));
    ASSERT_NE(Find(L"dahye@mailbox.kr"), nullptr);
    EXPECT_EQ(RowOf(L"정다혜"), -1); // only asked, in no group yet
    ASSERT_TRUE(driver.Click(L"MsgBox/YesButton"));
    driver.Settle();
    EXPECT_EQ(driver.Screen(), L"BuddyRequestInfo");
    ASSERT_TRUE(AcceptBuddy(*Find(L"dahye@mailbox.kr"), L"1")); // as that screen accepts
    ASSERT_TRUE(driver.Back());
    EXPECT_EQ(driver.Screen(), L"BuddyList");
    ASSERT_TRUE(Shows(
        { L"기타 (0/0)", L"친구 (1/2)", L"이지연 / 지연이", L"정다혜", L"회사 (0/1)", L"박준호 / 준호" }));

    // Asked from here, accepted there.
    driver.Party("sign-in", "seoyun@quorix.net");
    ASSERT_TRUE(AskToAddBuddy(L"seoyun", L"quorix.net", L"회사", L"안녕하세요"));
    ASSERT_TRUE(driver.WaitFor([&] { return RowOf(L"최서윤") > RowOf(L"회사 (0/2)"); }));
}

TEST_F(BuddyListScreen, TapsOpenTheProfileOrAMemo)
{
    const int32_t row = RowOf(L"이지연");
    const plat::RECT rect = View().ClientToScreen(View().GetRowRect(row));
    const plat::RECT arrow = View().GetDisclosureRect();
    const int32_t y = (rect.top + rect.bottom) / 2;
    // Offline buddy, chat mode: a question says why no chat opens and offers a memo.
    const std::wstring question = L"대화 상대가 현재 오프라인 상태입니다. 쪽지를 보내시겠습니까?";
    driver.Tap(rect.left + 200, y);
    driver.Settle();
    ASSERT_EQ(driver.PopupText(), question);
    EXPECT_EQ(View().GetSelection(), -1); // no row pressed behind it
    driver.Screenshot("offline-question");
    EXPECT_EQ(driver.Answer(L"NoButton"), question);
    EXPECT_EQ(driver.Screen(), L"BuddyList");
    EXPECT_EQ(ChatSessionList::GetInstance()->GetCount(), 0u);
    App().GetMemoWritePage().GetView().SetForward(L"old", L"forwarded");
    driver.Tap(rect.left + 200, y);
    driver.Settle();
    EXPECT_EQ(driver.Answer(L"YesButton"), question);
    EXPECT_EQ(driver.Screen(), L"MemoWrite");
    EXPECT_EQ(App().GetMemoWritePage().GetView().GetReceivers(), (Rows { L"jiyeon@quorix.net" }));
    EXPECT_EQ(App().GetMemoWritePage().GetView().GetMode(), MemoWriteView::ModeNew);
    EXPECT_EQ(driver.Text(L"View/Message"), L"");
    ASSERT_TRUE(driver.Back());
    EXPECT_EQ(View().GetSelection(), -1);
    EXPECT_EQ(driver.Pixel(rect.left + 4, y), 0xFFFFFFu);
    EXPECT_EQ(ChatSessionList::GetInstance()->GetCount(), 0u);
    // Online: a chat opens and asks for a chat server, once; back on the list no row
    // is left pressed.
    ASSERT_TRUE(driver.SignInParty("jiyeon@quorix.net"));
    for (int tap = 0; tap < 2; ++tap) {
        driver.Tap(rect.left + 200, y);
        driver.Settle();
    }
    ASSERT_EQ(ChatSessionList::GetInstance()->GetCount(), 1u);
    EXPECT_EQ(ChatSessionList::GetInstance()->FindOneToOne(L"jiyeon@quorix.net")->PeerName, L"이지연");
    EXPECT_EQ(driver.Screen(), L"Chat");
    ASSERT_TRUE(driver.Back());
    EXPECT_EQ(View().GetSelection(), -1);
    EXPECT_EQ(driver.Pixel(rect.left + 4, y), 0xFFFFFFu); // the row's fill, not the selection bar
    // Just left of the arrow, within the strip as wide as the arrow's top offset.
    driver.Tap(rect.left + arrow.left - arrow.top + 2, y);
    driver.Settle();
    EXPECT_EQ(driver.Screen(), L"BuddyProfile");
    ASSERT_TRUE(driver.Back());

    // Memo mode: a new memo to the buddy, whatever the writer held before.
    App().GetMemoWritePage().GetView().SetForward(L"old", L"forwarded");
    Options::GetInstance()->SetChatType(Options::ChatTypeMemo);
    driver.Tap(rect.left + 200, y);
    driver.Settle();
    EXPECT_EQ(driver.Screen(), L"MemoWrite");
    const MemoWriteView& writer = App().GetMemoWritePage().GetView();
    EXPECT_EQ(writer.GetReceivers(), (Rows { L"jiyeon@quorix.net" }));
    EXPECT_EQ(writer.GetMode(), MemoWriteView::ModeNew);
    EXPECT_EQ(driver.Text(L"View/ReceiverText"), L"이지연");
    EXPECT_EQ(driver.Text(L"View/Message"), L"");
}

// Back from a chat, the chat slides down and bares the list from the top: a row that
// shows as it will stay takes a tap made 0.1 s later, while the slide goes on below.
TEST_F(BuddyListScreen, ATapOnARowTheBackSlideHasBaredIsTaken)
{
    ASSERT_TRUE(driver.SignInParty("jiyeon@quorix.net"));
    const int32_t group = 0;
    ASSERT_NE(View().GetGroup(group), nullptr);
    const plat::RECT band = View().ClientToScreen(View().GetRowRect(group));
    driver.Flush();
    const std::vector<uint32_t> atRest = AreaColours(band);
    const plat::RECT jiyeon = View().ClientToScreen(View().GetRowRect(RowOf(L"이지연")));
    driver.Tap(jiyeon.left + 200, (jiyeon.top + jiyeon.bottom) / 2);
    driver.Settle();
    ASSERT_EQ(driver.Screen(), L"Chat");

    ASSERT_TRUE(driver.Tap(L"Chat/BackButton"));
    ASSERT_TRUE(WaitUntilStill(band, 0, [&](uint64_t ms) { driver.Advance(ms); }, atRest));
    driver.Advance(100);
    ASSERT_TRUE(driver.IsTransitionRunning());
    driver.Tap(band.left + 100, (band.top + band.bottom) / 2);
    driver.Settle();
    EXPECT_FALSE(View().GetRow(group).expanded);
    EXPECT_EQ(driver.Screen(), L"BuddyList");
}

namespace {

// The list over lists filled here, without a service.
class BuddyListOffline : public BuddyListFixture {
protected:
    BuddyListOffline()
        : BuddyListFixture(false)
    {
    }
    void SetUp() override
    {
        ASSERT_TRUE(driver.Start());
        struct {
            const wchar_t *id, *name, *nick;
            int32_t status;
        } people[] = {
            { L"a", L"가영", L"다", BuddyStatusOnline },
            { L"b", L"나영", L"나", BuddyStatusOffline },
            { L"c", L"다영", L"가", BuddyStatusAway },
        };
        for (const auto& p : people) {
            Buddy b;
            b.Id = p.id;
            b.Email = std::wstring(p.id) + L"@x.kr";
            b.Name = p.name;
            b.Nick = p.nick;
            b.Status = p.status;
            BuddyList::GetInstance()->Insert(b.Id, b);
        }
        Group one(L"1", L"하나"), two(L"2", L"둘");
        for (const wchar_t* id : { L"a", L"b", L"c" })
            one.AddMember(id);
        two.AddMember(L"b");
        GroupList::GetInstance()->Insert(one);
        GroupList::GetInstance()->Insert(two);
        App().ShowBuddyList();
        App().ReloadBuddyList();
        driver.Settle();
    }
    void Change(const wchar_t* id, int32_t status, const std::wstring& nick)
    {
        Buddy* buddy = BuddyList::GetInstance()->FindById(id);
        buddy->Status = status;
        buddy->Nick = nick;
        App().RefreshBuddy(id);
        driver.Settle();
    }
};

} // namespace

TEST_F(BuddyListOffline, UpdatesMoveRowsInEveryGroupOfTheBuddy)
{
    // Online only: a buddy in two groups arrives and leaves under both.
    SetOptions(Options::SortOnline, Options::ViewName);
    EXPECT_EQ(Shown(View()), (Rows { L"둘 (0/1)", L"하나 (2/3)", L"가영", L"다영" }));
    Change(L"b", BuddyStatusShownOffline, L"나");
    EXPECT_EQ(Shown(View()), (Rows { L"둘 (1/1)", L"나영", L"하나 (3/3)", L"가영", L"나영", L"다영" }));
    Change(L"b", BuddyStatusOffline, L"나");
    EXPECT_EQ(Shown(View()), (Rows { L"둘 (0/1)", L"하나 (2/3)", L"가영", L"다영" }));

    // All buddies ordered by nick: a new nick moves the row.
    SetOptions(Options::SortAll, Options::ViewNick);
    EXPECT_EQ(Shown(View()), (Rows { L"둘 (0/1)", L"나", L"하나 (2/3)", L"가", L"나", L"다" }));
    Change(L"a", BuddyStatusOnline, L"각");
    EXPECT_EQ(Shown(View()), (Rows { L"둘 (0/1)", L"나", L"하나 (2/3)", L"가", L"각", L"나" }));
    // A status that keeps the group's counts redraws the buddy's row alone; one that
    // changes them redraws the group's row too.
    const plat::RECT groupRow = View().ClientToScreen(View().GetRowRect(2));
    auto redrawn = [&](int32_t status) {
        BuddyList::GetInstance()->FindById(L"a")->Status = status;
        App().RefreshBuddy(L"a");
        plat::RECT invalid {};
        plat::GetUpdateRect(plat::GetDisplay()->GetWindow(), &invalid, false);
        driver.Settle();
        return invalid;
    };
    EXPECT_GE(redrawn(BuddyStatusAway).top, groupRow.bottom);
    EXPECT_LE(redrawn(BuddyStatusOffline).top, groupRow.top);
    EXPECT_EQ(Shown(View())[2], L"하나 (1/3)");
    redrawn(BuddyStatusOnline);
    // An unknown sort option moves nothing.
    Options::GetInstance()->SetSortType(7);
    Change(L"a", BuddyStatusOnline, L"하");
    EXPECT_EQ(Shown(View()), (Rows { L"둘 (0/1)", L"나", L"하나 (2/3)", L"가", L"하", L"나" }));
}

TEST_F(BuddyListOffline, TheSearchWordOutlivesAReloadButNotTheSession)
{
    // The whole field takes the tap: its rounded ends, its edges and the icon inside it.
    BuddyListSearchBar& bar = App().GetBuddyListPage().GetSearchBar();
    const plat::RECT r = bar.GetScreenRect();
    const plat::RECT icon = bar.SearchIcon.GetScreenRect();
    const plat::POINT points[] = { { r.left + 16, r.top + 30 }, { r.left + 240, r.top + 12 },
        { r.right - 16, r.top + 30 }, { (icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2 } };
    for (const plat::POINT& p : points) {
        bar.SearchWord.SetFocus(false);
        driver.Tap(p.x, p.y);
        EXPECT_TRUE(bar.SearchWord.IsFocused()) << p.x << "," << p.y;
    }
    driver.Type(L"다");
    EXPECT_EQ(Shown(View()), (Rows { L"하나 (2/3)", L"다영 / 가" }));
    App().ReloadBuddyList();
    driver.Settle();
    EXPECT_EQ(Shown(View()), (Rows { L"하나 (2/3)", L"다영 / 가" }));
    // Online only, a buddy coming online enters filtered.
    Options::GetInstance()->SetSortType(Options::SortOnline);
    App().ReloadBuddyList();
    Change(L"b", BuddyStatusOnline, L"나");
    EXPECT_EQ(Shown(View()), (Rows { L"하나 (3/3)", L"다영 / 가" }));

    App().ResetScreens();
    EXPECT_EQ(View().GetRowCount(), 0);
    EXPECT_EQ(View().GetFilter(), L"");
    EXPECT_EQ(driver.Text(L"SearchBar/SearchWord"), L"");
}
