// The keyboard alone on the real program, headless: Enter sends one-line forms, Escape
// leaves forms and pickers without applying them (and asks before a memo's text goes),
// the arrows and Enter walk lists and menus, Alt+Left and Control+Tab move between pages,
// the page keys reach the page's list, Tab and Space tick the cost question's box, and
// the add form's domain and group are chosen by keys.
#include "app/chat/ChatPage.h"
#include "app/login/WirelessConsent.h"
#include "app/shell/MenuAccount.h"
#include "app/shell/MenuSystem.h"
#include "messenger/model/BuddyList.h"
#include "messenger/model/ChatSessionList.h"
#include "messenger/model/GroupList.h"
#include "messenger/model/Me.h"
#include "messenger/model/Options.h"
#include "tests/support/AppDriver.h"

#include <gtest/gtest.h>

namespace {

class Keyboard : public ::testing::Test {
protected:
    explicit Keyboard(std::string accounts = "")
        : driver(AppDriver::Setup { .service = true, .accounts = std::move(accounts), .skin = "" })
    {
    }

    MessengerApp& App() { return driver.App(); }
    BuddyListView& List() { return App().GetBuddyListPage().GetView(); }
    // How many requests of this word the client has sent.
    size_t Sent(const std::string& command)
    {
        return driver.ServiceLogLines(" < CRP2 ", "| " + command + " ");
    }

    // A key pressed and the page it leads to settled.
    void Press(uint32_t key)
    {
        driver.Key(key);
        driver.Settle();
    }
    void Chord(uint32_t held, uint32_t key)
    {
        driver.Chord(held, key);
        driver.Settle();
    }
    void ControlShiftTab()
    {
        driver.Input().Key(true, plat::VK_CONTROL);
        driver.Chord(plat::VK_SHIFT, plat::VK_TAB);
        driver.Input().Key(false, plat::VK_CONTROL);
        driver.Settle();
    }
    // Down (or Up) until the keyboard's row is the row; false when it never gets there.
    bool KeyTo(UxListWindow& list, int32_t row, uint32_t key = plat::VK_DOWN)
    {
        return driver.KeyToRow(list, row, key);
    }
    // The first row of the buddy with that name in a list of buddies.
    static int32_t RowOf(BuddyListView& list, const std::wstring& name)
    {
        return AppDriver::BuddyRow(list, name);
    }
    // The system menu's row by the keyboard.
    void FromSystemMenu(int32_t row, const wchar_t* screen)
    {
        ASSERT_TRUE(driver.Tap(L"MenuBar/SystemMenuButton"));
        auto* menu = dynamic_cast<MenuSystem*>(driver.Popup());
        ASSERT_NE(menu, nullptr);
        ASSERT_TRUE(KeyTo(menu->GetList(), row));
        Press(plat::VK_RETURN);
        EXPECT_EQ(driver.Popup(), nullptr);
        ASSERT_EQ(driver.Screen(), screen);
    }
    void OpenMemoWriter()
    {
        ASSERT_TRUE(driver.Tap(L"TabBar/Tab3"));
        driver.Settle();
        ASSERT_TRUE(driver.Tap(L"TitleBar/WriteButton"));
        driver.Settle();
        ASSERT_EQ(driver.Screen(), L"MemoWrite");
    }
    ChatSession* ShownChat()
    {
        auto* page = dynamic_cast<ChatPage*>(driver.Page());
        return page ? page->GetSession() : nullptr;
    }

    AppDriver driver;
};

class KeyboardLongList : public Keyboard {
protected:
    // 30 more buddies, and a memo longer than the screen.
    KeyboardLongList()
        : Keyboard(AccountsWithMemos(
            1,
            [](int) {
                std::string body = "첫 줄";
                for (int line = 0; line < 40; ++line)
                    body += "\\n줄 " + std::to_string(line);
                return body;
            },
            30))
    {
    }
};

} // namespace

TEST_F(Keyboard, EnterSendsTheOneLineFormsAndEscapeGivesTheirWorkUpOrAsksFirst)
{
    ASSERT_TRUE(driver.StartSignedIn());

    // The nick: Escape leaves it as it was and tells nobody; Enter keeps the new one.
    ASSERT_TRUE(driver.Tap(L"TabBar/Tab4"));
    driver.Settle();
    ASSERT_TRUE(driver.TapRow(&App().GetOptionListPage().GetView(), OptionListView::RowNick));
    driver.Settle();
    ASSERT_EQ(driver.Screen(), L"OptionNick");
    driver.Type(L"!");
    EXPECT_EQ(driver.Text(L"OptionNick/View/Nick"), L"민수!");
    Press(plat::VK_ESCAPE);
    EXPECT_EQ(driver.Screen(), L"OptionList");
    EXPECT_EQ(Me::GetInstance()->Nick, L"민수");
    ASSERT_TRUE(driver.TapRow(&App().GetOptionListPage().GetView(), OptionListView::RowNick));
    driver.Settle();
    EXPECT_EQ(driver.Text(L"OptionNick/View/Nick"), L"민수");
    driver.Type(L"?");
    Press(plat::VK_RETURN);
    EXPECT_EQ(driver.Screen(), L"OptionList");
    EXPECT_EQ(Me::GetInstance()->Nick, L"민수?");
    ASSERT_TRUE(driver.WaitFor([&] { return Sent("CNIK") == 1; })); // the one from Enter only

    // A new group, from the system menu by the arrows.
    ASSERT_TRUE(driver.Tap(L"TabBar/Tab1"));
    driver.Settle();
    ASSERT_NO_FATAL_FAILURE(FromSystemMenu(MenuSystem::AddGroup, L"GroupAdd"));
    driver.TypeKorean(L"동호회");
    Press(plat::VK_RETURN);
    EXPECT_EQ(driver.Screen(), L"BuddyList");
    EXPECT_TRUE(driver.WaitFor([&] { return Sent("ADDG") == 1; }));

    // A buddy: Enter checks the form as the add button does, then asks.
    ASSERT_NO_FATAL_FAILURE(FromSystemMenu(MenuSystem::AddBuddy, L"BuddyAdd"));
    driver.Type(L"seoyun");
    Press(plat::VK_RETURN);
    EXPECT_EQ(driver.PopupText(), L"메시지를 입력하세요.");
    Press(plat::VK_RETURN);
    ASSERT_EQ(driver.Popup(), nullptr);
    driver.Key(plat::VK_TAB);
    EXPECT_TRUE(App().GetBuddyAddPage().GetView().RequestMessage.IsFocused());
    driver.TypeKorean(L"안녕");
    Press(plat::VK_RETURN);
    EXPECT_EQ(driver.Screen(), L"BuddyList");
    EXPECT_TRUE(driver.WaitFor([&] { return Sent("ADSB") == 1; }));

    // A memo: without text Escape just leaves; with text it asks, and only Yes throws
    // the text away.
    ASSERT_NO_FATAL_FAILURE(OpenMemoWriter());
    Press(plat::VK_ESCAPE);
    EXPECT_EQ(driver.Screen(), L"MemoList");
    ASSERT_NO_FATAL_FAILURE(OpenMemoWriter());
    UxEdit& message = App().GetMemoWritePage().GetView().Message;
    driver.TypeKorean(L"내일 봐");
    Press(plat::VK_ESCAPE);
    EXPECT_EQ(driver.PopupText(), L"작성 중인 쪽지를 취소하시겠습니까?");
    driver.Screenshot("discard-question");
    Press(plat::VK_ESCAPE); // 아니요
    EXPECT_EQ(driver.Popup(), nullptr);
    EXPECT_EQ(driver.Screen(), L"MemoWrite");
    driver.Type(L"!"); // the writing goes on
    EXPECT_EQ(message.GetText(), L"내일 봐!");
    Press(plat::VK_ESCAPE);
    ASSERT_NE(driver.Popup(), nullptr);
    Press(plat::VK_RETURN); // 예
    EXPECT_EQ(driver.Screen(), L"MemoList");
    EXPECT_TRUE(message.IsEmpty());
    EXPECT_EQ(Sent("CMSG"), 0u);
}

TEST_F(Keyboard, PickersApplyTheirTicksOnlyWhenLeftByTheBackArrowOrAltLeft)
{
    ASSERT_TRUE(driver.StartSignedIn());
    BuddySelectView& rows = App().GetBuddySelectPage().GetView();

    // Memo receivers ticked by the keyboard: Escape adds none, Alt+Left adds them.
    ASSERT_NO_FATAL_FAILURE(OpenMemoWriter());
    MemoWriteView& memo = App().GetMemoWritePage().GetView();
    for (bool apply : { false, true }) {
        ASSERT_TRUE(driver.Tap(L"MemoWrite/View/ReceiverButton"));
        driver.Settle();
        ASSERT_EQ(driver.Screen(), L"BuddySelect");
        ASSERT_TRUE(KeyTo(rows, RowOf(rows, L"박준호")));
        driver.Key(plat::VK_RETURN);
        EXPECT_TRUE(BuddyList::GetInstance()->Find(L"junho@quorix.net")->Picked);
        if (apply)
            Chord(plat::VK_MENU, plat::VK_LEFT);
        else
            Press(plat::VK_ESCAPE);
        ASSERT_EQ(driver.Screen(), L"MemoWrite");
        EXPECT_EQ(memo.GetReceivers(),
            apply ? std::vector<std::wstring> { L"junho@quorix.net" } : std::vector<std::wstring> {});
    }
    Press(plat::VK_ESCAPE);
    ASSERT_TRUE(driver.Tap(L"TabBar/Tab1"));
    driver.Settle();

    // The group a buddy moves to: Escape moves nobody.
    ASSERT_TRUE(driver.OpenProfileFromList(L"박준호"));
    ASSERT_TRUE(KeyTo(App().GetBuddyProfilePage().GetView(), BuddyProfileView::RowGroup));
    Press(plat::VK_RETURN);
    ASSERT_EQ(driver.Screen(), L"GroupSelect");
    GroupSelectView& groups = App().GetGroupSelectPage().GetView();
    ASSERT_TRUE(KeyTo(groups, groups.GetChecked() == 0 ? 1 : 0));
    driver.Key(plat::VK_RETURN);
    Press(plat::VK_ESCAPE);
    EXPECT_EQ(driver.Screen(), L"BuddyProfile");
    Press(plat::VK_ESCAPE);

    // Invitations into an open chat: Escape sends none, Alt+Left sends the ticked one.
    ASSERT_TRUE(driver.SignInParty("jiyeon@quorix.net"));
    ASSERT_TRUE(driver.SignInParty("junho@quorix.net"));
    ASSERT_TRUE(KeyTo(List(), RowOf(List(), L"이지연")));
    Press(plat::VK_RETURN);
    ChatSession* chat = ShownChat();
    ASSERT_NE(chat, nullptr);
    ASSERT_TRUE(driver.PartyReceives("jiyeon@quorix.net", "INVT", "minsu@quorix.net"));
    for (bool apply : { false, true }) {
        ASSERT_TRUE(driver.Tap(L"InviteButton"));
        driver.Settle();
        ASSERT_EQ(driver.Screen(), L"BuddySelect");
        ASSERT_TRUE(KeyTo(rows, RowOf(rows, L"박준호")));
        driver.Key(plat::VK_RETURN);
        if (apply)
            Chord(plat::VK_MENU, plat::VK_LEFT);
        else
            Press(plat::VK_ESCAPE);
        EXPECT_EQ(ShownChat(), chat);
    }
    ASSERT_TRUE(
        driver.PartyReceives("junho@quorix.net", "INVT", std::string(chat->Key.begin(), chat->Key.end())));
    EXPECT_EQ(Sent("CTOC"), 2u); // hers when the chat opened, his by Alt+Left
    EXPECT_EQ(Sent("MVBG"), 0u);
}

// "친구 추가" by the keyboard alone: Alt+Down in the id opens the domain menu, Tab reaches
// the group row, and the group chosen there goes with the request.
TEST_F(Keyboard, TheAddFormsDomainAndGroupAreChosenByKeys)
{
    ASSERT_TRUE(driver.StartSignedIn());
    ASSERT_NO_FATAL_FAILURE(FromSystemMenu(MenuSystem::AddBuddy, L"BuddyAdd"));
    BuddyAddView& form = App().GetBuddyAddPage().GetView();
    driver.Type(L"dahye");
    // The listed domain is no stop; the group row is, lit while the keyboard is on it.
    for (UxWindow* stop :
        std::initializer_list<UxWindow*> { &form.RequestMessage, &form.GroupStop, &form.IdEdit }) {
        driver.Key(plat::VK_TAB);
        EXPECT_TRUE(stop->IsFocused()) << AppDriver::NameOf(stop);
    }
    driver.Chord(plat::VK_MENU, plat::VK_DOWN);
    auto* menu = dynamic_cast<MenuAccount*>(driver.Popup());
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(KeyTo(menu->GetList(), MenuAccount::kFreeEntry));
    Press(plat::VK_RETURN);
    EXPECT_TRUE(form.AccountEdit.IsFocused());
    driver.Type(L"mailbox.kr");
    driver.Key(plat::VK_TAB);
    driver.TypeKorean(L"안녕");
    driver.Key(plat::VK_TAB);
    ASSERT_TRUE(form.GroupStop.IsFocused());
    driver.Screenshot("group-row-reached-by-tab");

    // Space opens the chooser; the arrows and Enter tick, Alt+Left applies and comes back
    // to the row, where Enter opens it again.
    Press(plat::VK_SPACE);
    ASSERT_EQ(driver.Screen(), L"GroupSelect");
    GroupSelectView& groups = App().GetGroupSelectPage().GetView();
    const auto& names = groups.GetNames();
    const int32_t friends = int32_t(std::find(names.begin(), names.end(), L"친구") - names.begin());
    ASSERT_TRUE(KeyTo(groups, friends));
    driver.Key(plat::VK_RETURN);
    Chord(plat::VK_MENU, plat::VK_LEFT);
    ASSERT_EQ(driver.Screen(), L"BuddyAdd");
    EXPECT_EQ(form.GetGroupName(), L"친구");
    EXPECT_TRUE(form.GroupStop.IsFocused());
    Press(plat::VK_RETURN);
    ASSERT_EQ(driver.Screen(), L"GroupSelect");
    Press(plat::VK_ESCAPE);
    ASSERT_EQ(driver.Screen(), L"BuddyAdd");
    EXPECT_EQ(form.GetGroupName(), L"친구");

    Chord(plat::VK_SHIFT, plat::VK_TAB);
    EXPECT_TRUE(form.RequestMessage.IsFocused());
    Press(plat::VK_RETURN);
    EXPECT_EQ(driver.Screen(), L"BuddyList");
    ASSERT_TRUE(driver.WaitFor([&] { return Sent("ADSB") == 1; }));
    const std::wstring id = GroupList::GetInstance()->FindByName(L"친구")->Id;
    const std::string group(id.begin(), id.end());
    EXPECT_EQ(driver.ServiceLogLines("| ADSB ", " dahye@mailbox.kr " + group + " "), 1u);
}

TEST_F(KeyboardLongList, ArrowsAndEnterOpenChatsControlTabGoesRoundThemAndPageKeysReachTheList)
{
    ASSERT_TRUE(driver.StartSignedIn());
    ASSERT_TRUE(driver.SignInParty("jiyeon@quorix.net"));
    ASSERT_TRUE(driver.SignInParty("t100@quorix.net"));

    // The first Down lights the first row; Enter on a buddy opens the chat as a tap.
    driver.Key(plat::VK_DOWN);
    EXPECT_EQ(List().GetKeyRow(), 0);
    EXPECT_TRUE(List().IsRowLit(0));
    ASSERT_TRUE(KeyTo(List(), RowOf(List(), L"이지연")));
    driver.Screenshot("keyboard-row");
    Press(plat::VK_RETURN);
    ASSERT_NE(ShownChat(), nullptr);
    ChatSession* jiyeon = ShownChat();
    EXPECT_EQ(jiyeon->PeerId, L"jiyeon@quorix.net");
    Press(plat::VK_ESCAPE);
    EXPECT_EQ(driver.Screen(), L"BuddyList");
    EXPECT_EQ(List().GetKeyRow(), -1); // it went with the page

    // From the search box the arrows reach the list while typing stays in the box.
    ASSERT_TRUE(driver.Tap(L"SearchWord"));
    driver.TypeKorean(L"테스트");
    ASSERT_TRUE(KeyTo(List(), RowOf(List(), L"테스트 100")));
    driver.Type(L" 1");
    EXPECT_EQ(driver.Text(L"BuddyList/SearchWord"), L"테스트 1");
    Press(plat::VK_RETURN);
    ChatSession* t100 = ShownChat();
    ASSERT_NE(t100, nullptr);
    EXPECT_EQ(t100->PeerId, L"t100@quorix.net");

    // Control+Tab goes round the open chats in the chat list's order, both ways: a third
    // comes by an invitation, behind the chat shown.
    ASSERT_TRUE(driver.SignInParty("t101@quorix.net"));
    driver.Party("invite", "t101@quorix.net", R"(, "to": "minsu@quorix.net")");
    ChatSessionList* chats = ChatSessionList::GetInstance();
    ASSERT_TRUE(driver.WaitFor([&] { return chats->GetCount() == 3; }));
    ChatSession* t101 = chats->GetAt(2);
    EXPECT_EQ(ShownChat(), t100);
    Chord(plat::VK_CONTROL, plat::VK_TAB);
    EXPECT_EQ(ShownChat(), t101);
    Chord(plat::VK_CONTROL, plat::VK_TAB);
    EXPECT_EQ(ShownChat(), jiyeon);
    ControlShiftTab();
    EXPECT_EQ(ShownChat(), t101);
    ControlShiftTab();
    EXPECT_EQ(ShownChat(), t100);
    ControlShiftTab();
    EXPECT_EQ(ShownChat(), jiyeon);
    EXPECT_EQ(driver.Depth(), 2u); // one chat in place of the other
    // Alt+Left is the back arrow; from the main page Control+Tab brings the first chat.
    Chord(plat::VK_MENU, plat::VK_LEFT);
    EXPECT_EQ(driver.Screen(), L"BuddyList");
    Chord(plat::VK_CONTROL, plat::VK_TAB);
    EXPECT_EQ(ShownChat(), jiyeon);
    Press(plat::VK_ESCAPE);

    // The page keys with the pointer over no list scroll the page's list; the mouse
    // puts the keyboard's row out.
    ASSERT_TRUE(driver.Tap(L"BuddyList/RollbackIcon"));
    driver.Settle();
    UxScrollAxis& y = List().GetYAxis();
    ASSERT_GT(y.GetContentPixels(), 2 * y.GetViewSize());
    driver.Key(plat::VK_DOWN);
    ASSERT_GE(List().GetKeyRow(), 0);
    const plat::RECT bar = App().GetStatusBarDefault().GetScreenRect();
    driver.Tap((bar.left + bar.right) / 2, (bar.top + bar.bottom) / 2);
    EXPECT_EQ(List().GetKeyRow(), -1);
    driver.Key(plat::VK_NEXT);
    driver.Advance(3000);
    EXPECT_EQ(y.GetOffset(), -y.GetViewSize());
    // Home is the search's, which has the caret again since its page came back.
    driver.Key(plat::VK_HOME);
    driver.Advance(3000);
    EXPECT_EQ(y.GetOffset(), -y.GetViewSize());
    driver.Key(plat::VK_PRIOR);
    driver.Advance(3000);
    EXPECT_EQ(y.GetOffset(), 0);

    // A memo opened from its list by the keyboard scrolls by the page keys; the card is
    // no row for the arrows, which leave it where it is.
    ASSERT_TRUE(driver.Tap(L"TabBar/Tab3"));
    driver.Settle();
    MemoListView& memos = App().GetMemoListPage().GetView();
    ASSERT_TRUE(driver.WaitFor([&] { return memos.GetRowCount() > 0; }));
    driver.Key(plat::VK_DOWN);
    Press(plat::VK_RETURN);
    ASSERT_EQ(driver.Screen(), L"MemoRead");
    MemoReadView& card = App().GetMemoReadPage().GetView();
    ASSERT_TRUE(driver.WaitFor([&] { return !card.Content.IsEmpty(); }));
    driver.Advance(1000);
    driver.Key(plat::VK_NEXT);
    driver.Advance(3000);
    const int32_t scrolled = card.GetYAxis().GetOffset();
    EXPECT_EQ(scrolled, -card.GetYAxis().GetViewSize());
    driver.Key(plat::VK_DOWN);
    driver.Key(plat::VK_UP);
    driver.Advance(1000);
    EXPECT_EQ(card.GetYAxis().GetOffset(), scrolled);
}

TEST_F(Keyboard, TheCostQuestionsCheckBoxIsReachedByTabAndTickedBySpace)
{
    ASSERT_TRUE(driver.Start());
    LoginCounter& form = driver.App().GetLoginCounter();
    const plat::RECT id = form.IdEdit.GetScreenRect();
    driver.Tap((id.left + id.right) / 2, (id.top + id.bottom) / 2);
    driver.Type(L"minsu");
    driver.Key(plat::VK_TAB);
    driver.Type(L"minsu1234");
    driver.Key(plat::VK_RETURN);
    auto* box = dynamic_cast<UxMessageBox*>(driver.Popup());
    ASSERT_NE(box, nullptr);
    driver.Key(plat::VK_TAB);
    EXPECT_TRUE(box->CheckBox.IsFocused());
    driver.Key(plat::VK_SPACE);
    EXPECT_TRUE(box->CheckBox.IsChecked());
    driver.Screenshot("check-box-ticked");
    driver.Key(plat::VK_SPACE); // and off, and on again
    EXPECT_FALSE(box->CheckBox.IsChecked());
    driver.Key(plat::VK_SPACE);
    driver.Key(plat::VK_RETURN); // Yes
    ASSERT_TRUE(driver.WaitFor([&] { return driver.Screen() == L"BuddyList"; }));
    EXPECT_TRUE(IsWirelessConsentGiven());

    // The next sign-in asks nothing.
    ASSERT_TRUE(driver.Start());
    if (driver.Screen() == L"Gate") {
        ASSERT_TRUE(driver.Tap(L"Gate/LoginButton"));
    } else {
        const plat::RECT password = driver.App().GetLoginCounter().PasswordEdit.GetScreenRect();
        driver.Tap((password.left + password.right) / 2, (password.top + password.bottom) / 2);
        driver.Type(L"minsu1234");
        driver.Key(plat::VK_RETURN);
    }
    EXPECT_EQ(driver.Popup(), nullptr);
    EXPECT_TRUE(driver.WaitFor([&] { return driver.Screen() == L"BuddyList"; }));
}

// The whole list made anew (the sort option changed, or the groups) keeps the keyboard's
// row on its buddy or group while that is shown.
TEST_F(KeyboardLongList, TheKeyboardsRowStaysOnItsBuddyOrGroupWhenTheListIsMadeAnew)
{
    ASSERT_TRUE(driver.StartSignedIn());
    ASSERT_TRUE(driver.SignInParty("t120@quorix.net"));
    Options& options = *Options::GetInstance();
    const auto sortBy = [&](int32_t sort) {
        options.SetSortType(sort);
        App().ReloadBuddyList(); // as the sort option does
        driver.Settle();
    };
    const int32_t shownAll = RowOf(List(), L"테스트 120");
    ASSERT_TRUE(KeyTo(List(), shownAll));
    sortBy(Options::SortOnline);
    const int32_t shownOnline = RowOf(List(), L"테스트 120");
    ASSERT_LT(shownOnline, shownAll); // the buddies offline above him are gone
    EXPECT_EQ(List().GetKeyRow(), shownOnline);
    EXPECT_TRUE(List().IsRowLit(shownOnline));

    ASSERT_TRUE(KeyTo(List(), 0, plat::VK_UP));
    const Group* group = List().GetGroup(0);
    ASSERT_NE(group, nullptr);
    sortBy(Options::SortAll);
    ASSERT_GE(List().GetKeyRow(), 0);
    EXPECT_EQ(List().GetGroup(List().GetKeyRow()), group);

    // A buddy the new rows leave out takes the keyboard's row with him.
    ASSERT_TRUE(KeyTo(List(), RowOf(List(), L"테스트 105")));
    sortBy(Options::SortOnline);
    EXPECT_EQ(List().GetKeyRow(), -1);
    sortBy(Options::SortAll);
}
