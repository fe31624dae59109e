// The buddy list on screen, signed in to the local service, with other demo accounts
// acting as the second party.
#include "app/buddies/BuddyListPage.h"
#include "messenger/model/BuddyList.h"
#include "messenger/model/GroupList.h"
#include "messenger/model/Options.h"
#include "messenger/protocol/buddies/BuddyActions.h"
#include "tests/support/AppDriver.h"

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

class BuddyListScreen : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(driver.Start());
        ASSERT_TRUE(driver.SignIn(L"minsu@quorix.net", L"minsu1234"));
        driver.Settle();
    }

    MessengerApp& App() { return driver.App(); }
    BuddyListView& View() { return App().GetBuddyListPage().GetView(); }
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
    void Party(const std::string& action, const std::string& user, const std::string& fields = "")
    {
        driver.Service().Post("/party/" + action, R"({"user": ")" + user + "\"" + fields + "}");
    }
    bool Shows(const Rows& rows)
    {
        // Rows grow in and shrink out over manual time.
        return driver.WaitFor(
            [&] {
                driver.Advance(100);
                return Shown(View()) == rows;
            },
            10000);
    }
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

} // namespace

TEST_F(BuddyListScreen, FollowsTheSecondPartysStatusAndNick)
{
    EXPECT_EQ(driver.Screen(), L"BuddyList");
    EXPECT_TRUE(driver.IsShown(L"SearchBar/SearchIcon"));
    EXPECT_FALSE(driver.IsShown(L"SearchBar/RollbackIcon"));
    EXPECT_EQ(Shown(View()), (Rows { L"기타 (0/0)", L"친구 (0/1)", L"이지연 / 지연이", L"회사 (0/1)", L"박준호 / 준호" }));

    Party("sign-in", "jiyeon@quorix.net");
    ASSERT_TRUE(Shows({ L"기타 (0/0)", L"친구 (1/1)", L"이지연 / 지연이", L"회사 (0/1)", L"박준호 / 준호" }));
    Party("status", "jiyeon@quorix.net", R"(, "status": "A")");
    Party("nick", "jiyeon@quorix.net", R"(, "nick": "바쁜 지연")");
    ASSERT_TRUE(Shows({ L"기타 (0/0)", L"친구 (1/1)", L"이지연 / 바쁜 지연", L"회사 (0/1)", L"박준호 / 준호" }));
    EXPECT_EQ(Find(L"jiyeon@quorix.net")->Status, BuddyStatusAway);
    driver.Screenshot("grouped");

    // Online only: rows come and go with the buddies.
    SetOptions(Options::SortOnline, Options::ViewNameNick);
    EXPECT_EQ(Shown(View()), (Rows { L"기타 (0/0)", L"친구 (1/1)", L"이지연 / 바쁜 지연", L"회사 (0/1)" }));
    Party("sign-in", "junho@quorix.net");
    ASSERT_TRUE(Shows({ L"기타 (0/0)", L"친구 (1/1)", L"이지연 / 바쁜 지연", L"회사 (1/1)", L"박준호 / 준호" }));
    driver.Settle();
    driver.Screenshot("online-only");
    Party("sign-out", "jiyeon@quorix.net");
    ASSERT_TRUE(Shows({ L"기타 (0/0)", L"친구 (0/1)", L"회사 (1/1)", L"박준호 / 준호" }));
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
    driver.Screenshot("folded");
    ASSERT_TRUE(driver.TapRow(&View(), friends));
    driver.Settle();
    EXPECT_EQ(View().GetRow(friends + 1).shownHeight, View().GetItemHeight());

    const struct {
        int32_t view;
        Rows rows;
    } cases[] = {
        { Options::ViewName, { L"기타 (0/0)", L"친구 (0/1)", L"이지연", L"회사 (0/1)", L"박준호" } },
        { Options::ViewNick, { L"기타 (0/0)", L"친구 (0/1)", L"지연이", L"회사 (0/1)", L"준호" } },
        { Options::ViewNameId,
            { L"기타 (0/0)", L"친구 (0/1)", L"이지연 / jiyeon@quorix.net", L"회사 (0/1)", L"박준호 / junho@quorix.net" } },
        { Options::ViewNameNick, { L"기타 (0/0)", L"친구 (0/1)", L"이지연 / 지연이", L"회사 (0/1)", L"박준호 / 준호" } },
    };
    for (const auto& c : cases) {
        SetOptions(Options::SortAll, c.view);
        EXPECT_EQ(Shown(View()), c.rows) << c.view;
        driver.Screenshot("view-type-" + std::to_string(c.view));
    }
}

TEST_F(BuddyListScreen, RequestsAddBuddies)
{
    // Asked by another account: the question comes up; once accepted the buddy shows.
    Party("sign-in", "dahye@mailbox.kr");
    Party("ask", "dahye@mailbox.kr", R"(, "to": "minsu@quorix.net", "message": "친구 해요")");
    ASSERT_TRUE(driver.WaitFor([&] { return driver.Popup() != nullptr; }));
    ASSERT_NE(Find(L"dahye@mailbox.kr"), nullptr);
    EXPECT_EQ(RowOf(L"정다혜"), -1); // only asked, in no group yet
    ASSERT_TRUE(AcceptBuddy(*Find(L"dahye@mailbox.kr"), L"1"));
    ASSERT_TRUE(Shows({ L"기타 (0/0)", L"친구 (1/2)", L"이지연 / 지연이", L"정다혜", L"회사 (0/1)", L"박준호 / 준호" }));

    // Asked from here, accepted there.
    Party("sign-in", "seoyun@quorix.net");
    ASSERT_TRUE(AskToAddBuddy(L"seoyun", L"quorix.net", L"회사", L"안녕하세요"));
    ASSERT_TRUE(driver.WaitFor([&] { return RowOf(L"최서윤") > RowOf(L"회사 (0/2)"); }));
}

TEST_F(BuddyListScreen, TapsOpenTheProfileOrAMemo)
{
    const int32_t row = RowOf(L"이지연");
    const plat::RECT rect = View().ClientToScreen(View().GetRowRect(row));
    const plat::RECT arrow = View().GetDisclosureRect();
    const int32_t y = (rect.top + rect.bottom) / 2;
    // Offline buddy, chat mode: nothing opens.
    driver.Tap(rect.left + 200, y);
    driver.Settle();
    EXPECT_EQ(driver.Screen(), L"BuddyList");
    // Just left of the arrow, within the strip as wide as the arrow's top offset.
    driver.Tap(rect.left + arrow.left - arrow.top + 2, y);
    driver.Settle();
    EXPECT_EQ(driver.Screen(), L"BuddyProfile");
    EXPECT_EQ(driver.StatusBar(), &App().GetStatusBarDisclosure());
    ASSERT_TRUE(driver.Tap(L"Disclosure/BackButton"));
    driver.Settle();

    Options::GetInstance()->SetChatType(Options::ChatTypeMemo);
    driver.Tap(rect.left + 200, y);
    driver.Settle();
    EXPECT_EQ(driver.Screen(), L"MemoWrite");
}
