// The buddy management screens end to end, signed in to the local service, with other
// demo accounts acting as the second party: profile, add, requests, picker and groups.
#include "app/shell/MenuAccount.h"
#include "app/shell/MenuSystem.h"
#include "messenger/model/BuddyList.h"
#include "messenger/model/ChatSessionList.h"
#include "messenger/model/GroupList.h"
#include "messenger/protocol/chat/ChatActions.h"
#include "tests/support/AppDriver.h"
#include "tests/support/FrameCheck.h"
#include "tests/support/MessengerSingletons.h"
#include "ux/core/UxText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace {

using Texts = std::vector<std::wstring>;

// The demo accounts, with a second request waiting for minsu and seoyun renamed so that
// the requests' order by name differs from their order by id.
std::string AccountsWithTwoRequests()
{
    std::ifstream file(SourceFile("tools/localservice/demo_accounts.json"));
    std::stringstream text;
    text << file.rdbuf();
    std::string accounts = text.str();
    const auto replace = [&](const std::string& from, const std::string& to) {
        accounts.replace(accounts.find(from), from.size(), to);
    };
    replace(R"("name": "최서윤")", R"("name": "강서윤")");
    replace(R"({"id": "seoyun@quorix.net", "flags": "0001")",
        R"({"id": "dahye@mailbox.kr", "flags": "0001"}, {"id": "seoyun@quorix.net", "flags": "0001")");
    return accounts;
}

class BuddyScreens : public ::testing::Test {
protected:
    explicit BuddyScreens(std::string accounts = "")
        : driver(AppDriver::Setup { .service = true, .accounts = std::move(accounts), .skin = "" })
    {
    }
    void SetUp() override
    {
        ASSERT_TRUE(driver.StartSignedIn());
    }

    MessengerApp& App() { return driver.App(); }
    BuddyListView& List() { return App().GetBuddyListPage().GetView(); }
    Buddy* Find(const wchar_t* id) { return BuddyList::GetInstance()->FindById(id); }

    // How many requests of this word the client has sent.
    size_t Sent(const std::string& command) { return driver.ServiceLogLines(" < CRP2 ", "| " + command + " "); }

    // The row of the buddy or group in a list of the buddy list's kind, -1 when none.
    static int32_t RowOf(BuddyListView& view, const std::wstring& name)
    {
        for (int32_t i = 0; i < view.GetRowCount(); ++i) {
            const Buddy* buddy = view.GetBuddy(i);
            const Group* group = view.GetGroup(i);
            if ((buddy && buddy->Name == name) || (group && group->Name == name))
                return i;
        }
        return -1;
    }
    // The group row above the buddy's row.
    std::wstring GroupOf(const std::wstring& name)
    {
        const int32_t row = RowOf(List(), name);
        const Group* group = row < 0 ? nullptr : List().GetGroup(List().FindHeaderRow(row));
        return group ? group->Name : L"";
    }
    // Taps a list row at x pixels from its left; false when the row is not shown.
    bool TapRowAt(UxListWindow& list, int32_t row, int32_t x)
    {
        if (!list.IsValidRow(row) || !AppDriver::IsShown(&list))
            return false;
        const plat::RECT r = list.ClientToScreen(list.GetRowRect(row));
        driver.Tap(r.left + x, (r.top + r.bottom) / 2);
        driver.Advance(200);
        return true;
    }
    // Taps near the top left corner of a window, just inside its box.
    void TapEdge(const std::wstring& path)
    {
        const plat::RECT r = driver.Find(path)->GetScreenRect();
        driver.Tap(r.left + 3, r.top + 3);
    }
    void OpenProfile(const std::wstring& name)
    {
        const int32_t row = RowOf(List(), name);
        ASSERT_GE(row, 0) << name;
        ASSERT_TRUE(TapRowAt(List(), row, List().GetDisclosureRect().left + 4));
        driver.Settle();
        ASSERT_EQ(driver.Screen(), L"BuddyProfile");
    }
    void FromSystemMenu(int32_t row) { ASSERT_TRUE(driver.FromSystemMenu(row)); }
    // On the group chooser: taps the group, then leaves, which applies it.
    void ChooseGroup(const std::wstring& name)
    {
        ASSERT_EQ(driver.Screen(), L"GroupSelect");
        GroupSelectView& view = App().GetGroupSelectPage().GetView();
        const Texts& names = view.GetNames();
        const auto it = std::find(names.begin(), names.end(), name);
        ASSERT_NE(it, names.end()) << name;
        ASSERT_TRUE(driver.TapRow(&view, static_cast<int32_t>(it - names.begin())));
        ASSERT_TRUE(driver.Back());
    }

    AppDriver driver;
};

Texts ProfileRows(BuddyProfileView& view)
{
    Texts rows;
    const Buddy* buddy = view.GetBuddy();
    for (int32_t row = 0; buddy && row < BuddyProfileView::RowCount; ++row)
        rows.push_back(BuddyProfileView::RowLabel(row) + L": "
            + BuddyProfileView::RowValue(row, *buddy, view.GetGroup()));
    return rows;
}

} // namespace

TEST_F(BuddyScreens, TheProfileShowsTheBuddyAndBlocksUnblocksAndDeletesAfterAQuestion)
{
    ASSERT_TRUE(driver.SignInParty("jiyeon@quorix.net"));
    OpenProfile(L"이지연");
    BuddyProfilePage& page = App().GetBuddyProfilePage();
    EXPECT_EQ(driver.Text(L"Disclosure/Title"), L"친구 프로필");
    EXPECT_EQ(ProfileRows(page.GetView()),
        (Texts { L"이름: 이지연", L"접속 상태: 온라인", L"대화명: 지연이", L"생일: 7월 8일 (음력)",
            L"이메일: jiyeon@quorix.net", L"휴대폰: 010-2345-6789", L"그룹: 친구" }));
    EXPECT_EQ(page.GetButtonBar().BlockButton.GetDefaultLabel().GetText(), L"친구 차단");
    driver.Screenshot("profile");

    // The name row's icons: a memo to the buddy, the chat with it.
    const plat::RECT width = page.GetView().GetRowRect(BuddyProfileView::RowName);
    ASSERT_TRUE(TapRowAt(page.GetView(), BuddyProfileView::RowName, width.right - 20));
    driver.Settle();
    EXPECT_EQ(driver.Screen(), L"MemoWrite");
    EXPECT_EQ(App().GetMemoWritePage().GetView().GetReceivers(), Texts { L"jiyeon@quorix.net" });
    ASSERT_TRUE(driver.Back());
    ASSERT_TRUE(TapRowAt(page.GetView(), BuddyProfileView::RowName, width.right - 72));
    EXPECT_NE(ChatSessionList::GetInstance()->FindOneToOne(L"jiyeon@quorix.net"), nullptr);
    driver.Settle();
    EXPECT_EQ(driver.Screen(), L"Chat");
    ASSERT_TRUE(driver.Back());
    EXPECT_EQ(driver.Screen(), L"BuddyProfile");

    // Blocked, she sees this user go offline; unblocked, come back.
    ASSERT_TRUE(driver.Tap(L"ButtonBar/BlockButton"));
    ASSERT_EQ(driver.Answer(L"YesButton"), L"차단하시겠습니까?");
    ASSERT_TRUE(driver.WaitFor([&] { return Find(L"jiyeon@quorix.net")->HasFlag(BuddyListBlock); }));
    EXPECT_TRUE(driver.PartyReceives("jiyeon@quorix.net", "NTFY", R"("minsu@quorix.net", "F")"));
    driver.Flush();
    EXPECT_EQ(page.GetButtonBar().BlockButton.GetDefaultLabel().GetText(), L"차단 해제");
    driver.Screenshot("blocked");
    ASSERT_TRUE(driver.Tap(L"ButtonBar/BlockButton"));
    ASSERT_EQ(driver.Answer(L"YesButton"), L"차단을 해제하시겠습니까?");
    ASSERT_TRUE(driver.WaitFor([&] { return Find(L"jiyeon@quorix.net")->HasFlag(BuddyListAllow); }));
    EXPECT_TRUE(driver.PartyReceives("jiyeon@quorix.net", "NTFY", R"("minsu@quorix.net", "O")"));

    // No keeps her; Yes goes back at once and her row goes with the answer.
    ASSERT_TRUE(driver.Tap(L"ButtonBar/DeleteButton"));
    ASSERT_EQ(driver.Answer(L"NoButton"), L"삭제하시겠습니까?");
    EXPECT_EQ(driver.Screen(), L"BuddyProfile");
    ASSERT_TRUE(driver.Tap(L"ButtonBar/DeleteButton"));
    ASSERT_EQ(driver.Answer(L"YesButton"), L"삭제하시겠습니까?");
    EXPECT_EQ(driver.Depth(), 1u);
    driver.Settle();
    ASSERT_TRUE(driver.WaitFor([&] { return RowOf(List(), L"이지연") < 0; }));
    EXPECT_TRUE(driver.PartyReceives("jiyeon@quorix.net", "RMVB", R"("RL", "minsu@quorix.net")"));
}

TEST_F(BuddyScreens, AddsABuddyByIdAndDomainWithAMessage)
{
    FromSystemMenu(MenuSystem::AddBuddy);
    ASSERT_EQ(driver.Screen(), L"BuddyAdd");
    BuddyAddView& form = App().GetBuddyAddPage().GetView();
    EXPECT_EQ(driver.Text(L"Disclosure/Title"), L"친구 추가");
    EXPECT_TRUE(driver.IsShown(L"Disclosure/BuddyAddButton"));
    EXPECT_TRUE(form.IdEdit.IsFocused());
    EXPECT_EQ(form.AccountEdit.GetText(), L"quorix.net");
    EXPECT_EQ(form.GetGroupName(), L"기타");

    // Nothing goes out without an id, or without a message.
    ASSERT_TRUE(driver.Tap(L"Disclosure/BuddyAddButton"));
    EXPECT_EQ(driver.PopupText(), L"친구 아이디를 입력하세요.");
    ASSERT_TRUE(driver.Click(L"MsgBox/OkButton"));

    // Typed into the frames, each taken by a press near its edge.
    const auto frameEdge = [&](int32_t row, int x, int y) {
        const plat::RECT r = form.ClientToScreen(form.GetRowRect(row));
        driver.Tap(r.left + x, r.top + y);
    };
    form.IdEdit.SetFocus(false);
    frameEdge(BuddyAddView::RowId, 102, 12);
    EXPECT_TRUE(form.IdEdit.IsFocused());
    driver.Type(L"dahye");
    ASSERT_TRUE(driver.Tap(L"View/AccountButton"));
    ASSERT_TRUE(driver.TapMenuRowAtEnd(MenuAccount::kFreeEntry));
    EXPECT_TRUE(form.AccountEdit.IsFocused());
    driver.Type(L"mailbox.kr");
    frameEdge(BuddyAddView::RowMessage, 104, 13);
    EXPECT_TRUE(form.RequestMessage.IsFocused());

    ASSERT_TRUE(driver.Tap(L"Disclosure/BuddyAddButton"));
    EXPECT_EQ(driver.PopupText(), L"메시지를 입력하세요.");
    ASSERT_TRUE(driver.Click(L"MsgBox/OkButton"));
    EXPECT_EQ(Sent("ADSB"), 0u);
    frameEdge(BuddyAddView::RowMessage, 456, 58);
    driver.TypeKorean(L"안녕하세요");

    // The group row opens the chooser for the typed name.
    ASSERT_TRUE(driver.TapRow(&form, BuddyAddView::RowGroup));
    driver.Settle();
    EXPECT_EQ(driver.Text(L"TitleBar/BuddyName"), L"dahye");
    EXPECT_EQ(App().GetGroupSelectPage().GetView().GetChecked(), 0); // 기타
    ChooseGroup(L"친구");
    EXPECT_EQ(form.GetGroupName(), L"친구");
    EXPECT_TRUE(driver.IsShown(L"Disclosure/BuddyAddButton"));
    driver.Screenshot("filled");

    driver.Party("sign-in", "dahye@mailbox.kr");
    ASSERT_TRUE(driver.Tap(L"Disclosure/BuddyAddButton"));
    driver.Settle();
    EXPECT_EQ(driver.Screen(), L"BuddyList");
    EXPECT_FALSE(driver.IsShown(L"Disclosure/BuddyAddButton"));
    // The answer tells no status: she shows offline until the service says more, and her
    // group does not count her as online; her status itself stays untold.
    ASSERT_TRUE(driver.WaitFor([&] { return RowOf(List(), L"정다혜") >= 0; }));
    EXPECT_EQ(BuddyList::GetInstance()->Find(L"dahye@mailbox.kr")->Status, BuddyStatusNotReported);
    EXPECT_EQ(BuddyListView::GroupTitle(*GroupList::GetInstance()->FindByName(L"친구")), L"친구 (0/2)");
    driver.Settle();
    driver.Screenshot("added-offline");
    ASSERT_TRUE(driver.PartyReceives(
        "dahye@mailbox.kr", "ADDB", R"("RL", "minsu@quorix.net", "minsu@quorix.net", "안녕하세요")"));
    driver.Party("answer", "dahye@mailbox.kr", R"(, "from": "minsu@quorix.net")");
    ASSERT_TRUE(driver.WaitFor([&] {
        const Buddy* dahye = BuddyList::GetInstance()->Find(L"dahye@mailbox.kr");
        return dahye && dahye->Status == BuddyStatusOnline && GroupOf(L"정다혜") == L"친구";
    }));
}

// An id typed whole asks for that address, its domain moved to the domain box; one with
// an "@" too many asks for nothing.
TEST_F(BuddyScreens, AFullAddressInTheIdBoxAsksForThatAddress)
{
    FromSystemMenu(MenuSystem::AddBuddy);
    BuddyAddView& form = App().GetBuddyAddPage().GetView();
    driver.Type(L"dahye@mailbox.kr@quorix.net");
    ASSERT_TRUE(driver.Tap(L"View/RequestMessage"));
    driver.TypeKorean(L"안녕하세요");
    ASSERT_TRUE(driver.Tap(L"Disclosure/BuddyAddButton"));
    EXPECT_EQ(driver.PopupText(), L"친구 아이디를 입력하세요.");
    ASSERT_TRUE(driver.Click(L"MsgBox/OkButton"));
    EXPECT_EQ(Sent("ADSB"), 0u);

    ASSERT_TRUE(driver.Tap(L"View/IdEdit"));
    driver.Chord(plat::VK_CONTROL, 'A');
    driver.Type(L"dahye@mailbox.kr");
    driver.Party("sign-in", "dahye@mailbox.kr");
    ASSERT_TRUE(driver.Tap(L"Disclosure/BuddyAddButton"));
    driver.Settle();
    EXPECT_EQ(driver.Screen(), L"BuddyList");
    EXPECT_EQ(form.IdEdit.GetText(), L"dahye");
    EXPECT_EQ(form.AccountEdit.GetText(), L"mailbox.kr");
    EXPECT_EQ(form.AccountEdit.GetStyles(), UxEdit::SingleLine);
    ASSERT_TRUE(driver.PartyReceives("dahye@mailbox.kr", "ADDB", R"("RL", "minsu@quorix.net")"));
    EXPECT_EQ(Sent("ADSB"), 1u);
    EXPECT_EQ(driver.ServiceLog().find("mailbox.kr@"), std::string::npos) << driver.ServiceLog();
}

TEST_F(BuddyScreens, AnIdTheServiceRefusesIsToldInKorean)
{
    FromSystemMenu(MenuSystem::AddBuddy);
    ASSERT_EQ(driver.Screen(), L"BuddyAdd");
    driver.Type(L"nobody");
    ASSERT_TRUE(driver.Tap(L"View/RequestMessage"));
    driver.Type(L"hello");
    ASSERT_TRUE(driver.Tap(L"Disclosure/BuddyAddButton"));
    ASSERT_TRUE(driver.WaitFor([&] { return driver.Popup() != nullptr; }));
    EXPECT_EQ(driver.Answer(L"OkButton"), L"존재하지 않는 아이디입니다.");
    EXPECT_EQ(driver.Screen(), L"BuddyList");
}

// The add form opens empty each time, as a new memo does; within one opening the
// entries stay while the group is chosen. The domain row lights only while its button
// is pressed: not under the menu, not after it, not when the form opens again.
TEST_F(BuddyScreens, TheAddFormOpensEmptyAndLeavesNoRowLit)
{
    BuddyAddView& form = App().GetBuddyAddPage().GetView();
    // A strip left of the row's label: the row's fill, or the selection bar when lit.
    const auto strip = [&](int32_t row) {
        const plat::RECT r = form.ClientToScreen(form.GetRowRect(row));
        const int y = (r.top + r.bottom) / 2;
        return AreaColours({ r.left + 2, y, r.left + 10, y + 1 });
    };
    for (int opening = 0; opening < 2; ++opening) {
        FromSystemMenu(MenuSystem::AddBuddy);
        ASSERT_EQ(driver.Screen(), L"BuddyAdd");
        EXPECT_EQ(form.IdEdit.GetText(), L"") << opening;
        EXPECT_EQ(form.AccountEdit.GetText(), L"quorix.net") << opening;
        EXPECT_TRUE(form.AccountEdit.GetStyles() & UxEdit::ReadOnly) << opening;
        EXPECT_EQ(form.RequestMessage.GetText(), L"") << opening;
        EXPECT_EQ(form.GetGroupName(), L"기타") << opening;
        EXPECT_EQ(form.GetSelection(), -1) << opening;
        EXPECT_EQ(strip(BuddyAddView::RowDomain), strip(BuddyAddView::RowId)) << opening;
        if (opening == 1)
            break;

        driver.Type(L"dahye");
        ASSERT_TRUE(driver.Tap(L"View/AccountButton"));
        driver.Advance(300);
        auto* menu = dynamic_cast<MenuAccount*>(driver.Popup());
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(form.GetSelection(), -1) << "lit under the menu";
        ASSERT_TRUE(driver.TapMenuRowAtEnd(MenuAccount::kFreeEntry));
        driver.Type(L"mailbox.kr");
        driver.Settle();
        EXPECT_EQ(form.GetSelection(), -1) << "lit after the menu";
        EXPECT_EQ(strip(BuddyAddView::RowDomain), strip(BuddyAddView::RowId));
        driver.Screenshot("domain-chosen");
        ASSERT_TRUE(driver.Tap(L"View/RequestMessage"));
        driver.TypeKorean(L"안녕");
        ASSERT_TRUE(driver.TapRow(&form, BuddyAddView::RowGroup));
        driver.Settle();
        ChooseGroup(L"친구");
        EXPECT_EQ(form.IdEdit.GetText() + L"@" + form.AccountEdit.GetText(), L"dahye@mailbox.kr");
        EXPECT_EQ(form.RequestMessage.GetText(), L"안녕");
        EXPECT_EQ(form.GetGroupName(), L"친구");
        ASSERT_TRUE(driver.Back());
        ASSERT_EQ(driver.Screen(), L"BuddyList");
    }
}

namespace {

class BuddyRequests : public BuddyScreens {
protected:
    BuddyRequests()
        : BuddyScreens(AccountsWithTwoRequests())
    {
    }
    BuddyRequestListView& Requests() { return App().GetBuddyRequestListPage().GetView(); }
};

} // namespace

// A fling carries the domain menu past its end and springs back: once the list looks
// still, a tap 0.1 s later is a tap, on the row seen under it.
TEST_F(BuddyScreens, ATapOnTheDomainMenuOnceItLooksStillAfterAFlingChoosesTheRowUnderIt)
{
    FromSystemMenu(MenuSystem::AddBuddy);
    BuddyAddView& form = App().GetBuddyAddPage().GetView();
    for (const int32_t row : { MenuAccount::kFreeEntry, 8 }) {
        ASSERT_TRUE(driver.Tap(L"View/AccountButton"));
        auto* menu = dynamic_cast<MenuAccount*>(driver.Popup());
        ASSERT_NE(menu, nullptr);
        UxListWindow& list = menu->GetList();
        plat::RECT rows = list.GetScreenRect();
        driver.Drag(240, rows.bottom - 10, 240, rows.top + 10, 5, 16);
        rows.right -= list.GetYIndicator().GetThickness(); // it fades on its own
        ASSERT_TRUE(WaitUntilStill(rows, 100, [&](uint64_t ms) { driver.Advance(ms); }));
        ASSERT_EQ(driver.Popup(), menu);
        const plat::RECT shown = list.ClientToScreen(list.GetRowRect(row));
        driver.Tap(240, (shown.top + shown.bottom) / 2);
        driver.Advance(200);
        EXPECT_EQ(driver.Popup(), nullptr) << row;
        EXPECT_EQ(form.AccountEdit.GetText(), row == MenuAccount::kFreeEntry ? L"" : MenuAccount::GetItemText(row));
    }
}

TEST_F(BuddyRequests, TheListSortsByNameAndAcceptAndRejectAnswerAndLeaveIt)
{
    FromSystemMenu(MenuSystem::BuddyRequests);
    ASSERT_EQ(driver.Screen(), L"BuddyRequestList");
    EXPECT_EQ(driver.Text(L"Disclosure/Title"), L"친구 요청함");
    // 강서윤 before 정다혜; the buddies minsu already has are no requests.
    EXPECT_EQ(Requests().GetRequests(), (Texts { L"seoyun@quorix.net", L"dahye@mailbox.kr" }));
    EXPECT_FALSE(driver.IsShown(L"View/HelpText"));
    driver.Screenshot("requests");

    // Accepted into another group than the one proposed.
    ASSERT_TRUE(driver.TapRow(&Requests(), 0));
    driver.Settle();
    ASSERT_EQ(driver.Screen(), L"BuddyRequestInfo");
    BuddyRequestInfoPage& info = App().GetBuddyRequestInfoPage();
    EXPECT_EQ(info.GetBuddyId(), L"seoyun@quorix.net");
    EXPECT_EQ(info.GetView().GetGroup()->Name, L"기타");
    ASSERT_TRUE(driver.TapRow(&info.GetView(), BuddyRequestInfoView::RowGroup));
    driver.Settle();
    EXPECT_EQ(driver.Text(L"TitleBar/BuddyNick"), L"seoyun@quorix.net");
    ChooseGroup(L"회사");
    EXPECT_EQ(info.GetView().GetGroup()->Name, L"회사");
    driver.Screenshot("request");
    ASSERT_TRUE(driver.Tap(L"ButtonBar/AcceptButton"));
    driver.Settle();
    EXPECT_EQ(driver.Screen(), L"BuddyRequestList");
    ASSERT_TRUE(driver.WaitFor([&] { return Requests().GetRequests() == Texts { L"dahye@mailbox.kr" }; }));
    EXPECT_EQ(GroupOf(L"강서윤"), L"회사");

    ASSERT_TRUE(driver.TapRow(&Requests(), 0));
    driver.Settle();
    ASSERT_TRUE(driver.Tap(L"ButtonBar/RejectButton"));
    driver.Settle();
    ASSERT_TRUE(driver.WaitFor([&] { return Requests().GetRequests().empty(); }));
    EXPECT_TRUE(BuddyList::GetInstance()->Find(L"dahye@mailbox.kr")->HasFlag(BuddyListBlock));
    EXPECT_TRUE(driver.IsShown(L"View/HelpText"));
    driver.Screenshot("no-requests");
}

TEST_F(BuddyScreens, AddsAGroupAndMovesABuddyIntoIt)
{
    FromSystemMenu(MenuSystem::AddGroup);
    ASSERT_EQ(driver.Screen(), L"GroupAdd");
    EXPECT_TRUE(driver.IsShown(L"Disclosure/GroupAddButton"));
    App().GetGroupAddPage().GetView().Edit.SetFocus(false);
    TapEdge(L"GroupAdd/BackSkin");
    EXPECT_TRUE(App().GetGroupAddPage().GetView().Edit.IsFocused());
    driver.TypeKorean(L"동호회");
    driver.Screenshot("group-add");
    ASSERT_TRUE(driver.Tap(L"Disclosure/GroupAddButton"));
    driver.Settle();
    ASSERT_TRUE(driver.WaitFor([&] { return RowOf(List(), L"동호회") >= 0; }));
    EXPECT_FALSE(driver.IsShown(L"Disclosure/GroupAddButton"));

    // The chooser lists it among the others, the buddy's own group checked.
    OpenProfile(L"이지연");
    ASSERT_TRUE(driver.TapRow(&App().GetBuddyProfilePage().GetView(), BuddyProfileView::RowGroup));
    driver.Settle();
    GroupSelectView& groups = App().GetGroupSelectPage().GetView();
    EXPECT_EQ(groups.GetNames(), (Texts { L"기타", L"동호회", L"친구", L"회사" }));
    EXPECT_EQ(groups.GetChecked(), 2);
    EXPECT_EQ(driver.Text(L"TitleBar/BuddyName"), L"이지연");
    driver.Screenshot("group-select");
    // Its own group again sends nothing.
    ChooseGroup(L"친구");
    EXPECT_EQ(Sent("MVBG"), 0u);
    ASSERT_TRUE(driver.TapRow(&App().GetBuddyProfilePage().GetView(), BuddyProfileView::RowGroup));
    driver.Settle();
    ChooseGroup(L"동호회");
    ASSERT_TRUE(driver.WaitFor([&] { return App().GetBuddyProfilePage().GetView().GetGroupId() != L"1"; }));
    EXPECT_EQ(App().GetBuddyProfilePage().GetView().GetGroup()->Name, L"동호회");
    EXPECT_EQ(GroupOf(L"이지연"), L"동호회");
    EXPECT_EQ(Sent("MVBG"), 1u);

    // A group to tick that no longer exists ticks none (not the row ticked last time),
    // and leaving moves nobody.
    App().GetGroupSelectPage().Setup(GroupSelectPage::ModeMove, L"이지연", L"jiyeon@quorix.net", L"없어진 그룹");
    App().PushScreen(&App().GetStatusBarDisclosure(), &App().GetGroupSelectPage(), MessengerApp::PushFromRight);
    driver.Settle();
    EXPECT_EQ(groups.GetChecked(), -1);
    ASSERT_TRUE(driver.Back());
    driver.Flush();
    EXPECT_EQ(Sent("MVBG"), 1u);
    EXPECT_EQ(GroupOf(L"이지연"), L"동호회");
}

TEST_F(BuddyScreens, PicksMemoReceiversAndInvitesIntoAnOpenChat)
{
    BuddySelectPage& picker = App().GetBuddySelectPage();
    BuddySelectView& rows = picker.GetView();
    const auto push = [&](UxWindow& page) {
        App().PushScreen(&App().GetStatusBarDisclosure(), &page, MessengerApp::PushFromRight);
        driver.Settle();
    };

    // Receivers: all buddies offered, the ones handed in ticked, a typed address kept last.
    MemoWriteView& memo = App().GetMemoWritePage().GetView();
    memo.SetReceivers({ L"jiyeon@quorix.net", L"friend@mail.kr" });
    push(App().GetMemoWritePage());
    picker.SetReceiverMode(memo.GetReceivers());
    push(picker);
    EXPECT_EQ(driver.Text(L"Disclosure/Title"), L"친구 선택");
    ASSERT_GE(RowOf(rows, L"박준호"), 0);
    EXPECT_TRUE(Find(L"jiyeon@quorix.net")->Picked);
    ASSERT_TRUE(driver.TapRow(&rows, RowOf(rows, L"박준호")));
    driver.Screenshot("receivers");
    ASSERT_TRUE(driver.Back());
    EXPECT_EQ(driver.Screen(), L"MemoWrite");
    EXPECT_EQ(memo.GetReceivers(), (Texts { L"jiyeon@quorix.net", L"junho@quorix.net", L"friend@mail.kr" }));
    // A second tap takes the tick off again, of a buddy ticked here or handed in.
    picker.SetReceiverMode(memo.GetReceivers());
    push(picker);
    for (const wchar_t* name : { L"박준호", L"박준호", L"박준호", L"이지연" })
        ASSERT_TRUE(driver.TapRow(&rows, RowOf(rows, name))) << ToUtf8(name);
    EXPECT_FALSE(Find(L"junho@quorix.net")->Picked);
    EXPECT_FALSE(Find(L"jiyeon@quorix.net")->Picked);
    ASSERT_TRUE(driver.Back());
    EXPECT_EQ(memo.GetReceivers(), (Texts { L"friend@mail.kr" }));
    ASSERT_TRUE(driver.Back());

    // Invitations: only buddies who are there and not in the chat (she is the one it
    // waits for), narrowed by the search.
    ASSERT_TRUE(driver.SignInParty("jiyeon@quorix.net"));
    ASSERT_TRUE(driver.SignInParty("junho@quorix.net"));
    ChatSession* chat = OpenChat(L"jiyeon@quorix.net", L"이지연");
    ASSERT_NE(chat, nullptr);
    ASSERT_TRUE(driver.PartyReceives("jiyeon@quorix.net", "INVT", "minsu@quorix.net"));
    picker.SetInviteMode(*chat);
    push(picker);
    EXPECT_FALSE(Find(L"jiyeon@quorix.net")->Picked);
    ASSERT_TRUE(driver.Tap(L"BuddySelect/SearchWord"));
    driver.TypeKorean(L"준");
    const int32_t junho = RowOf(rows, L"박준호");
    ASSERT_GE(junho, 0);
    EXPECT_EQ(RowOf(rows, L"이지연"), -1);
    ASSERT_TRUE(driver.TapRow(&rows, junho));
    driver.Screenshot("invite");
    // Ticked, unticked and ticked again: one invitation.
    ASSERT_TRUE(driver.TapRow(&rows, junho));
    EXPECT_FALSE(Find(L"junho@quorix.net")->Picked);
    ASSERT_TRUE(driver.TapRow(&rows, junho));
    ASSERT_TRUE(driver.Back());
    EXPECT_TRUE(
        driver.PartyReceives("junho@quorix.net", "INVT", std::string(chat->Key.begin(), chat->Key.end())));
    EXPECT_EQ(Sent("CTOC"), 2u); // hers when the chat opened, his from the picker

    // A chat closed while the picker is up gets no invitations, and nothing touches it.
    // The earlier search hides nobody any more.
    picker.SetInviteMode(*chat);
    push(picker);
    ASSERT_GE(RowOf(rows, L"박준호"), 0);
    EXPECT_TRUE(rows.GetFilter().empty());
    for (int32_t i = 0; i < rows.GetRowCount(); ++i)
        EXPECT_FALSE(rows.GetRow(i).hidden) << i;
    ASSERT_TRUE(driver.TapRow(&rows, RowOf(rows, L"박준호")));
    CloseChat(*chat);
    ASSERT_TRUE(driver.Back());
    driver.Flush();
    EXPECT_EQ(Sent("CTOC"), 2u);
}

TEST_F(BuddyScreens, YesToABuddyRequestClosesTheChooserOrPickerOnTopWithoutApplyingIt)
{
    BuddyRequestInfoPage& info = App().GetBuddyRequestInfoPage();
    driver.Party("sign-in", "dahye@mailbox.kr");
    const auto askedAndYes = [&] {
        driver.Party("ask", "dahye@mailbox.kr", R"(, "to": "minsu@quorix.net", "message": "친구 해요")");
        ASSERT_TRUE(driver.WaitFor([&] { return driver.Popup() != nullptr; }));
        ASSERT_TRUE(driver.Click(L"MsgBox/YesButton"));
        driver.Settle();
    };

    // The group chooser of seoyun's request, a group ticked: dahye's request shows in
    // its place with the default group, and going back leaves it for the list.
    FromSystemMenu(MenuSystem::BuddyRequests);
    ASSERT_TRUE(driver.TapRow(&App().GetBuddyRequestListPage().GetView(), 0));
    driver.Settle();
    ASSERT_EQ(info.GetBuddyId(), L"seoyun@quorix.net");
    ASSERT_TRUE(driver.TapRow(&info.GetView(), BuddyRequestInfoView::RowGroup));
    driver.Settle();
    GroupSelectView& groups = App().GetGroupSelectPage().GetView();
    const auto company = std::find(groups.GetNames().begin(), groups.GetNames().end(), L"회사");
    ASSERT_TRUE(driver.TapRow(&groups, static_cast<int32_t>(company - groups.GetNames().begin())));
    askedAndYes();
    EXPECT_EQ(driver.Screen(), L"BuddyRequestInfo");
    EXPECT_EQ(info.GetBuddyId(), L"dahye@mailbox.kr");
    EXPECT_EQ(info.GetView().GetGroup()->Name, L"기타");
    ASSERT_TRUE(driver.Back());
    EXPECT_EQ(driver.Screen(), L"BuddyRequestList");
    ASSERT_TRUE(driver.Back());

    // The picker with a buddy ticked for a chat: nobody is invited, and the request
    // opens where the picker was. (dahye asks anew once she has taken minsu off.)
    ASSERT_TRUE(driver.SignInParty("jiyeon@quorix.net"));
    ASSERT_TRUE(driver.SignInParty("junho@quorix.net"));
    ChatSession* chat = OpenChat(L"jiyeon@quorix.net", L"이지연");
    ASSERT_TRUE(driver.PartyReceives("jiyeon@quorix.net", "INVT", "minsu@quorix.net"));
    BuddySelectPage& picker = App().GetBuddySelectPage();
    picker.SetInviteMode(*chat);
    App().PushScreen(&App().GetStatusBarDisclosure(), &picker, MessengerApp::PushFromRight);
    driver.Settle();
    ASSERT_TRUE(driver.TapRow(&picker.GetView(), RowOf(picker.GetView(), L"박준호")));
    driver.Party("delete", "dahye@mailbox.kr", R"(, "buddy": "minsu@quorix.net")");
    askedAndYes();
    EXPECT_EQ(driver.Screen(), L"BuddyRequestInfo");
    EXPECT_EQ(info.GetBuddyId(), L"dahye@mailbox.kr");
    ASSERT_TRUE(driver.Back());
    EXPECT_EQ(driver.Screen(), L"BuddyList");
    driver.Flush();
    EXPECT_EQ(Sent("CTOC"), 1u); // only jiyeon's, when the chat opened
}

TEST_F(BuddyScreens, AResetWhileAProfileOrARequestIsShownLeavesNothingOfTheOldSession)
{
    const auto reset = [&] {
        driver.Service().Control("/close", "minsu@quorix.net");
        ASSERT_TRUE(driver.WaitFor([&] { return driver.Screen() == L"Gate" && driver.Popup(); }));
        ASSERT_TRUE(driver.Click(L"MsgBox/OkButton"));
        ASSERT_TRUE(driver.SignIn(L"minsu@quorix.net", L"minsu1234"));
        driver.Settle();
    };
    const auto push = [&](UxWindow& page) {
        App().PushScreen(&App().GetStatusBarDisclosure(), &page, MessengerApp::PushFromRight);
        driver.Settle();
    };

    // The profile, the group chooser over it and the picker in invite mode.
    OpenProfile(L"이지연");
    ASSERT_TRUE(driver.TapRow(&App().GetBuddyProfilePage().GetView(), BuddyProfileView::RowGroup));
    driver.Settle();
    ASSERT_TRUE(driver.SignInParty("jiyeon@quorix.net"));
    App().GetBuddySelectPage().SetInviteMode(*OpenChat(L"jiyeon@quorix.net", L"이지연"));
    reset();
    const size_t moves = Sent("MVBG");
    const size_t invitations = Sent("CTOC");
    App().RefreshBuddyProfile(L"jiyeon@quorix.net");
    App().MoveProfileBuddy(L"jiyeon@quorix.net", L"2");
    push(App().GetBuddyProfilePage());
    EXPECT_EQ(App().GetBuddyProfilePage().GetView().GetBuddy(), nullptr);
    ASSERT_TRUE(driver.Tap(L"ButtonBar/BlockButton"));
    EXPECT_EQ(driver.Popup(), nullptr);
    push(App().GetGroupSelectPage());
    ASSERT_TRUE(driver.Back());
    push(App().GetBuddySelectPage());
    ASSERT_TRUE(driver.TapRow(&App().GetBuddySelectPage().GetView(), 1));
    ASSERT_TRUE(driver.Back());
    ASSERT_TRUE(driver.Back());
    EXPECT_EQ(Sent("MVBG"), moves);
    EXPECT_EQ(Sent("CTOC"), invitations);

    // The add form's confirm button goes with the form.
    FromSystemMenu(MenuSystem::AddBuddy);
    reset();
    OpenProfile(L"이지연");
    EXPECT_FALSE(driver.IsShown(L"Disclosure/BuddyAddButton"));
    ASSERT_TRUE(driver.Back());

    // A request shown when the session ends.
    FromSystemMenu(MenuSystem::BuddyRequests);
    ASSERT_TRUE(driver.TapRow(&App().GetBuddyRequestListPage().GetView(), 0));
    driver.Settle();
    ASSERT_EQ(App().GetBuddyRequestInfoPage().GetBuddyId(), L"seoyun@quorix.net");
    reset();
    push(App().GetBuddyRequestInfoPage());
    EXPECT_EQ(App().GetBuddyRequestInfoPage().GetView().GetBuddy(), nullptr);
    ASSERT_TRUE(driver.Tap(L"ButtonBar/AcceptButton"));
    driver.Flush();
    EXPECT_EQ(Sent("ADSB"), 0u);
    EXPECT_EQ(driver.Screen(), L"BuddyRequestInfo");
}

// The picker invites one ticked buddy after the other; a send that fails ends the
// session, and no invitation is tried after it.
TEST(BuddyPickerInvitations, StopOnceTheSessionEnds)
{
    BasicMessengerSingletons<FailingPeer> m;
    m.me.Id = L"minsu@quorix.net";
    m.peer.SetStage(TarvPeer::StageMain);
    for (const wchar_t* id : { L"a@quorix.net", L"b@quorix.net", L"c@quorix.net" }) {
        Buddy buddy;
        buddy.Id = buddy.Email = id;
        buddy.Picked = 1;
        m.buddies.Insert(buddy.Id, buddy);
    }
    ChatSession* chat = m.chats.NewSession();
    ASSERT_NE(chat, nullptr);
    chat->Host = L"chat.quorix.net";
    chat->Port = 7000;
    chat->Key = L"k1";
    BuddySelectPage picker;
    picker.SetInviteMode(*chat);
    m.peer.sendsLeft = 1;
    picker.OnWillHide();
    ASSERT_EQ(m.peer.sent.size(), 1u);
    EXPECT_NE(m.peer.sent[0].find("INVT"), std::string::npos);
    EXPECT_TRUE(m.peer.IsResetPending());
    EXPECT_EQ(m.peer.sendsLeft, -1); // the second was tried and failed; the third never
    plat::DispatchPending();
    EXPECT_EQ(m.chats.GetCount(), 0u);
}
