// The option list and its pages, signed in to the local service as minsu, with jiyeon
// as the second party who sees the status and nick change and makes alerts happen.
#include "app/chat/ChatPage.h"
#include "app/options/OptionListPage.h"
#include "app/shell/StatusText.h"
#include "messenger/model/BuddyList.h"
#include "messenger/model/ChatSessionList.h"
#include "messenger/model/Me.h"
#include "messenger/model/MemoList.h"
#include "messenger/model/Options.h"
#include "messenger/protocol/login/ClientVersion.h"
#include "tests/support/AppDriver.h"
#include "tests/support/FrameCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <functional>

namespace {

const std::string kMinsu = "minsu@quorix.net";
const std::string kJiyeon = "jiyeon@quorix.net";

class OptionScreens : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(driver.StartSignedIn()); }

    MessengerApp& App() { return driver.App(); }
    OptionListView& List() { return App().GetOptionListPage().GetView(); }
    OptionView& Choices() { return App().GetOptionPage().GetView(); }

    // The 설정 tab of the main page on screen.
    void OpenOptionList()
    {
        TabBar& bar = static_cast<MainPage*>(driver.Page())->GetTabBar();
        const plat::RECT tab = bar.GetTab(TabBar::TabOptions)->GetScreenRect();
        driver.Tap((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
        driver.Settle();
        ASSERT_EQ(driver.Screen(), L"OptionList");
    }
    void OpenRow(int32_t row, const wchar_t* screen)
    {
        ASSERT_TRUE(driver.TapRow(&List(), row));
        driver.Settle();
        ASSERT_EQ(driver.Screen(), screen);
    }
    void Choose(int32_t row)
    {
        ASSERT_TRUE(driver.TapRow(&Choices(), row));
        driver.Settle();
    }
    // From the option list: one choice on one choice page, then back to the list.
    void Set(int32_t listRow, int32_t choice)
    {
        ASSERT_NO_FATAL_FAILURE(OpenRow(listRow, L"Option"));
        ASSERT_NO_FATAL_FAILURE(Choose(choice));
        ASSERT_TRUE(driver.Back());
    }


    AppDriver driver;
};

} // namespace

TEST_F(OptionScreens, EachStatusReachesTheSecondPartyAndTheStatusBar)
{
    driver.Party("sign-in", kJiyeon);
    ASSERT_NO_FATAL_FAILURE(OpenOptionList());
    EXPECT_EQ(OptionListView::GetRightText(OptionListView::RowStatus), L"온라인");
    driver.Screenshot("option-list");
    ASSERT_NO_FATAL_FAILURE(OpenRow(OptionListView::RowStatus, L"Option"));
    EXPECT_EQ(driver.Text(L"Disclosure/Title"), L"내 상태 설정");
    EXPECT_EQ(driver.Text(L"Option/TitleBar/HelpText1"), L"내 상태를 설정하세요.");
    EXPECT_EQ(Choices().GetRowCount(), 4);
    EXPECT_TRUE(OptionView::IsRowChosen(OptionView::KindStatus, 0));

    // What jiyeon is told of minsu: a status shown as offline looks offline to others.
    const struct {
        int32_t row;
        int32_t status;
        const char* seen;
        const wchar_t* text;
    } cases[] = {
        { 1, BuddyStatusAway, "A", L"자리 비움" },
        { 2, BuddyStatusBusy, "B", L"다른 용무 중" },
        { 3, BuddyStatusShownOffline, "F", L"오프라인 표시" },
        { 0, BuddyStatusOnline, "O", L"온라인" },
    };
    for (const auto& c : cases) {
        ASSERT_NO_FATAL_FAILURE(Choose(c.row));
        EXPECT_EQ(Me::GetInstance()->Status, c.status);
        EXPECT_TRUE(driver.PartyReceives(kJiyeon, "NTFY", R"(["minsu@quorix.net", ")" + std::string(c.seen) + "\""))
            << c.seen;
        for (int32_t row = 0; row < 4; ++row)
            EXPECT_EQ(OptionView::IsRowChosen(OptionView::KindStatus, row), row == c.row) << c.row;
        EXPECT_EQ(OptionListView::GetRightText(OptionListView::RowStatus), c.text);
        if (c.status == BuddyStatusShownOffline)
            driver.Screenshot("status-page");
    }
    // The answer refreshed the status bar's own icon.
    ASSERT_NO_FATAL_FAILURE(Choose(1));
    const plat::RECT away = GetStatusIconSmall(BuddyStatusAway, 0);
    ASSERT_TRUE(driver.WaitFor([&] {
        const plat::RECT& icon = App().GetStatusBarDefault().StatusIcon.GetImage().GetDesc().ImageCoord;
        return icon.left == away.left && icon.top == away.top;
    }));

    // A meeting or a call set elsewhere counts as busy here.
    for (int32_t status : { BuddyStatusMeeting, BuddyStatusPhone, BuddyStatusBusy })
        EXPECT_EQ(OptionView::GetRowOfStatus(status), 2) << status;
    EXPECT_EQ(OptionView::GetRowOfStatus(BuddyStatusNotReported), 0);
}

TEST_F(OptionScreens, ShownAsOfflineTheChatInputGivesWayToItsReason)
{
    ASSERT_TRUE(driver.SignInParty(kJiyeon));
    // The open chat with jiyeon, reached from the chat list.
    const auto openChat = [&]() -> ChatPage* {
        ChatListView& chats = App().GetChatListPage().GetView();
        if (chats.GetRowCount() == 0) {
            BuddyListView& buddies = App().GetBuddyListPage().GetView();
            driver.TapRow(&buddies, AppDriver::BuddyRow(buddies, L"이지연"));
        } else {
            App().GetOptionListPage().GetTabBar().Select(TabBar::TabChats);
            driver.Settle();
            driver.TapRow(&chats, 0);
        }
        driver.Settle();
        return dynamic_cast<ChatPage*>(driver.Page());
    };
    const auto leaveChat = [&] {
        ASSERT_TRUE(driver.Back());
        ASSERT_NO_FATAL_FAILURE(OpenOptionList());
    };
    ChatPage* page = openChat();
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(page->GetInputBar().GetInput().IsVisible());
    ASSERT_NO_FATAL_FAILURE(leaveChat());

    ASSERT_NO_FATAL_FAILURE(Set(OptionListView::RowStatus, 3));
    ASSERT_EQ(openChat(), page);
    EXPECT_FALSE(page->GetInputBar().GetInput().IsVisible());
    EXPECT_TRUE(page->GetInputBar().GetDisabledReason().IsVisible());
    EXPECT_EQ(page->GetInputBar().GetDisabledReason().GetText(), L"오프라인으로 표시된 상태입니다.");
    ASSERT_NO_FATAL_FAILURE(leaveChat());

    ASSERT_NO_FATAL_FAILURE(Set(OptionListView::RowStatus, 0));
    ASSERT_EQ(openChat(), page);
    EXPECT_TRUE(page->GetInputBar().GetInput().IsVisible());
    EXPECT_FALSE(page->GetInputBar().GetDisabledReason().IsVisible());
}

TEST_F(OptionScreens, AChangedNickReachesTheSecondPartyAndTheStatusBar)
{
    driver.Party("sign-in", kJiyeon);
    ASSERT_NO_FATAL_FAILURE(OpenOptionList());
    EXPECT_EQ(OptionListView::GetRightText(OptionListView::RowNick), L"민수");

    // Looked at and left as it was: nothing goes out.
    ASSERT_NO_FATAL_FAILURE(OpenRow(OptionListView::RowNick, L"OptionNick"));
    EXPECT_EQ(driver.Text(L"Disclosure/Title"), L"내 대화명 설정");
    EXPECT_EQ(driver.Text(L"OptionNick/TitleBar/HelpText1"), L"내 대화명을 설정하세요.");
    EXPECT_EQ(driver.Text(L"OptionNick/View/Nick"), L"민수");
    EXPECT_TRUE(App().GetOptionNickPage().GetView().Edit.IsFocused());
    driver.Screenshot("nick-page");
    ASSERT_TRUE(driver.Back());
    EXPECT_FALSE(App().GetOptionNickPage().GetView().Edit.IsFocused());
    EXPECT_EQ(driver.ServiceLog().find("CNIK"), std::string::npos);

    // A press on the title, which takes no keys, leaves them in the field, and so does
    // a press on the frame's edge, away from the text.
    ASSERT_NO_FATAL_FAILURE(OpenRow(OptionListView::RowNick, L"OptionNick"));
    ASSERT_TRUE(driver.Tap(L"OptionNick/TitleBar"));
    EXPECT_TRUE(App().GetOptionNickPage().GetView().Edit.IsFocused());
    const plat::RECT frame = App().GetOptionNickPage().GetView().BackSkin.GetScreenRect();
    driver.Tap(frame.left + 4, frame.bottom - 4);
    ASSERT_TRUE(App().GetOptionNickPage().GetView().Edit.IsFocused());
    driver.Key(plat::VK_BACK);
    driver.Key(plat::VK_BACK);
    driver.TypeKorean(L"새 별명");
    EXPECT_EQ(driver.Text(L"OptionNick/View/Nick"), L"새 별명");
    ASSERT_TRUE(driver.Back());
    EXPECT_EQ(Me::GetInstance()->Nick, L"새 별명");
    EXPECT_TRUE(driver.PartyReceives(kJiyeon, "NNIK", R"(["minsu@quorix.net", "새 별명"])"));
    EXPECT_TRUE(driver.WaitFor([&] { return App().GetStatusBarDefault().Nick.GetText() == L"새 별명"; }));
    EXPECT_EQ(OptionListView::GetRightText(OptionListView::RowNick), L"새 별명");

    // A nick longer than the field takes is not cut short by opening the page.
    const std::wstring longNick(40, L'가');
    Me::GetInstance()->Nick = longNick;
    const size_t sent = driver.ServiceLog().size();
    ASSERT_NO_FATAL_FAILURE(OpenRow(OptionListView::RowNick, L"OptionNick"));
    EXPECT_LT(driver.Text(L"OptionNick/View/Nick").size(), longNick.size());
    ASSERT_TRUE(driver.Back());
    EXPECT_EQ(Me::GetInstance()->Nick, longNick);
    EXPECT_EQ(driver.ServiceLog().find("CNIK", sent), std::string::npos);

    // Emptied: the empty nick is sent.
    ASSERT_NO_FATAL_FAILURE(OpenRow(OptionListView::RowNick, L"OptionNick"));
    App().GetOptionNickPage().GetView().Edit.Clear();
    ASSERT_TRUE(driver.Back());
    EXPECT_TRUE(driver.PartyReceives(kJiyeon, "NNIK", R"(["minsu@quorix.net", ""])"));
}

TEST_F(OptionScreens, ChoicesChangeWhatTheyGovern)
{
    ASSERT_NO_FATAL_FAILURE(OpenOptionList());
    // Each choice page: its title, its rows, the preset chosen.
    const struct {
        int32_t listRow;
        const wchar_t* title;
        int32_t rows;
        int32_t chosen;
    } pages[] = {
        { OptionListView::RowChatType, L"대화 방식 설정", 2, 0 },
        { OptionListView::RowViewType, L"보기 방식 설정", 4, 3 },
        { OptionListView::RowSortType, L"정렬 방식 설정", 2, 0 },
        { OptionListView::RowNotifyType, L"알림 방식 설정", 4, 3 },
    };
    for (const auto& p : pages) {
        ASSERT_NO_FATAL_FAILURE(OpenRow(p.listRow, L"Option"));
        EXPECT_EQ(driver.Text(L"Disclosure/Title"), p.title);
        EXPECT_EQ(Choices().GetRowCount(), p.rows) << p.listRow;
        for (int32_t row = 0; row < p.rows; ++row)
            EXPECT_EQ(OptionView::IsRowChosen(Choices().GetKind(), row), row == p.chosen) << p.listRow;
        if (p.listRow == OptionListView::RowChatType) {
            EXPECT_EQ(driver.Text(L"Option/TitleBar/HelpText2"), L"처음 커뮤니케이션 하는 방법을 설정하세요.");
            driver.Screenshot("chat-type-page");
        }
        ASSERT_TRUE(driver.Back());
        EXPECT_EQ(List().GetSelection(), -1) << "row " << p.listRow << " left pressed";
    }
    // A second tap while the first page slides in pushes nothing more.
    const plat::RECT view = List().ClientToScreen(List().GetRowRect(OptionListView::RowViewType));
    ASSERT_TRUE(driver.TapRow(&List(), OptionListView::RowSortType));
    driver.Tap(view.left + 100, (view.top + view.bottom) / 2);
    driver.Settle();
    EXPECT_EQ(driver.Depth(), 2u);
    EXPECT_EQ(Choices().GetKind(), OptionView::KindSortType);
    ASSERT_TRUE(driver.Back());

    // Online only: the offline buddies leave the list at once.
    BuddyListView& buddies = App().GetBuddyListPage().GetView();
    const int32_t all = buddies.GetRowCount();
    ASSERT_NO_FATAL_FAILURE(Set(OptionListView::RowSortType, 1));
    EXPECT_EQ(OptionListView::GetRightText(OptionListView::RowSortType), L"접속자만 보기");
    EXPECT_EQ(buddies.GetRowCount(), all - 2);
    ASSERT_NO_FATAL_FAILURE(Set(OptionListView::RowSortType, 0));
    EXPECT_EQ(buddies.GetRowCount(), all);

    // The four labels: each draws the buddy rows differently.
    std::vector<uint64_t> looks;
    const wchar_t* labels[] = { L"이름 보기", L"대화명 보기", L"이름+ID 보기", L"이름+대화명 보기" };
    for (int32_t view = 0; view < 4; ++view) {
        ASSERT_NO_FATAL_FAILURE(Set(OptionListView::RowViewType, view));
        EXPECT_EQ(OptionListView::GetRightText(OptionListView::RowViewType), labels[view]);
        TabBar& bar = App().GetOptionListPage().GetTabBar();
        const plat::RECT tab = bar.GetTab(TabBar::TabBuddies)->GetScreenRect();
        driver.Tap((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
        driver.Settle();
        const plat::RECT shown = buddies.GetScreenRect();
        uint64_t sum = 0;
        for (int y = shown.top; y < shown.bottom; ++y)
            for (int x = shown.left; x < shown.right; ++x)
                sum = sum * 31 + driver.Pixel(x, y);
        looks.push_back(sum);
        ASSERT_NO_FATAL_FAILURE(OpenOptionList());
    }
    std::sort(looks.begin(), looks.end());
    EXPECT_EQ(std::unique(looks.begin(), looks.end()), looks.end());

    // Memo on tap: a tap on a buddy opens the memo writer.
    ASSERT_NO_FATAL_FAILURE(Set(OptionListView::RowChatType, 1));
    EXPECT_EQ(OptionListView::GetRightText(OptionListView::RowChatType), L"쪽지쓰기");
    TabBar& bar = App().GetOptionListPage().GetTabBar();
    const plat::RECT tab = bar.GetTab(TabBar::TabBuddies)->GetScreenRect();
    driver.Tap((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
    driver.Settle();
    int32_t jiyeon = -1;
    for (int32_t i = 0; i < buddies.GetRowCount(); ++i)
        if (const Buddy* buddy = buddies.GetBuddy(i); buddy && buddy->Email == L"jiyeon@quorix.net")
            jiyeon = i;
    const plat::RECT row = buddies.ClientToScreen(buddies.GetRowRect(jiyeon));
    driver.Tap(row.left + 150, (row.top + row.bottom) / 2);
    driver.Settle();
    EXPECT_EQ(driver.Screen(), L"MemoWrite");
}

// A choice row is lit while pressed, from edge to edge, and goes out with the press:
// the page that stays open shows only what is chosen.
TEST_F(OptionScreens, AChoiceIsLitOnlyWhilePressedAndAcrossTheWholeRow)
{
    ASSERT_NO_FATAL_FAILURE(OpenOptionList());
    for (const int32_t listRow : { OptionListView::RowNotifyType, OptionListView::RowStatus }) {
        ASSERT_NO_FATAL_FAILURE(OpenRow(listRow, L"Option"));
        const plat::RECT r = Choices().ClientToScreen(Choices().GetRowRect(1));
        const int y = (r.top + r.bottom) / 2;
        // Right of the radio box: the row's own fill, out to the window's edge.
        const plat::RECT edge { 470, y, 480, y + 1 };
        const std::vector<uint32_t> unlit = AreaColours(edge);
        driver.Input().PointerDown(240, y);
        driver.Flush();
        driver.Advance(150);
        const std::vector<uint32_t> pressed = AreaColours(edge);
        EXPECT_NE(pressed, unlit) << listRow;
        EXPECT_EQ(pressed, std::vector<uint32_t>(pressed.size(), pressed.front())) << "the highlight stops short";
        driver.Input().PointerUp(240, y);
        driver.Flush();
        driver.Advance(300);
        EXPECT_TRUE(OptionView::IsRowChosen(Choices().GetKind(), 1)) << listRow;
        EXPECT_EQ(Choices().GetSelection(), -1) << listRow;
        EXPECT_EQ(AreaColours(edge), unlit) << "row " << listRow << " stays lit";
        driver.Screenshot(listRow == OptionListView::RowStatus ? "status-chosen" : "notify-type-chosen");
        ASSERT_TRUE(driver.Back());
    }
}

TEST_F(OptionScreens, AlertsSoundAndVibrateByTypeAndScope)
{
    // Lets the last vibration run out and forgets the sounds so far.
    auto fresh = [&] {
        driver.Advance(500);
        plat::ClearSoundHistory();
    };
    // jiyeon offline again, as every event starts from.
    auto signOut = [&] {
        driver.Party("sign-out", kJiyeon);
        EXPECT_TRUE(driver.WaitFor(
            [&] { return BuddyList::GetInstance()->Find(L"jiyeon@quorix.net")->Status == BuddyStatusOffline; }));
    };
    // Each event: what makes it happen (only the last step alerts), and its sound.
    auto signIn = [&] {
        EXPECT_TRUE(driver.SignInParty(kJiyeon));
    };
    auto buddyLogin = [&] {
        signOut();
        fresh();
        signIn();
    };
    // One chat with jiyeon, reopened by her invitation each time (signing out left it).
    auto chatLine = [&] {
        ChatSessionList& chats = *ChatSessionList::GetInstance();
        auto joined = [&] {
            ChatSession* chat = chats.FindOneToOne(L"jiyeon@quorix.net");
            return chat && !chat->Participants.empty() ? chat : nullptr;
        };
        signOut();
        ASSERT_TRUE(driver.WaitFor([&] { return !joined(); }));
        signIn();
        driver.Party("invite", kJiyeon, R"(, "to": "minsu@quorix.net")");
        ASSERT_TRUE(driver.WaitFor([&] { return joined() != nullptr; }));
        joined()->Unread = 0;
        fresh();
        driver.Party("say", kJiyeon, R"(, "text": "안녕")");
        // Marked unread and alerted in one step.
        EXPECT_TRUE(driver.WaitFor([&] { return joined()->Unread == 1; }));
    };
    auto memo = [&] {
        signOut();
        signIn();
        fresh();
        MemoList::GetInstance()->Unread = 0;
        driver.Party("memo", kJiyeon, R"(, "to": ["minsu@quorix.net"], "body": "쪽지")");
        EXPECT_TRUE(driver.WaitFor([&] { return MemoList::GetInstance()->Unread == 1; }));
    };
    struct Event {
        std::function<void()> make;
        const wchar_t* sound;
    };
    const Event login { buddyLogin, L"buddy_login.wav" }, chat { chatLine, L"recv_chat.wav" },
        memoEvent { memo, L"recv_memo.wav" };

    ASSERT_NO_FATAL_FAILURE(OpenOptionList());
    // How: the buddy login under each notify type.
    const struct {
        int32_t type;
        bool sound, vibrate;
    } types[] = { { 0, false, false }, { 1, true, false }, { 2, false, true }, { 3, true, true } };
    for (const auto& t : types) {
        ASSERT_NO_FATAL_FAILURE(Set(OptionListView::RowNotifyType, t.type));
        buddyLogin();
        const std::vector<std::wstring> sounds = driver.Sounds();
        EXPECT_EQ(std::count(sounds.begin(), sounds.end(), L"buddy_login.wav"), t.sound ? 1 : 0) << t.type;
        EXPECT_EQ(driver.IsVibrating(), t.vibrate) << t.type;
    }

    // What: scopes taken away one by one; each event alerts exactly while its scope is set.
    ASSERT_NO_FATAL_FAILURE(OpenRow(OptionListView::RowNotifyScopes, L"Option"));
    EXPECT_EQ(driver.Text(L"Disclosure/Title"), L"알림 범위 설정");
    driver.Screenshot("scope-page");
    const struct {
        int32_t uncheck; // -1: none yet
        const wchar_t* text;
        bool login, chat, memo;
    } scopes[] = {
        { -1, L"로그인+대화+쪽지 알림", true, true, true },
        { 0, L"대화+쪽지 알림", false, true, true },
        { 1, L"쪽지 알림", false, false, true },
        { 2, L"사용 안 함", false, false, false },
    };
    for (const auto& s : scopes) {
        if (s.uncheck >= 0) {
            ASSERT_NO_FATAL_FAILURE(Choose(s.uncheck));
            EXPECT_FALSE(OptionView::IsRowChosen(OptionView::KindNotifyScopes, s.uncheck));
        }
        EXPECT_EQ(OptionListView::GetRightText(OptionListView::RowNotifyScopes), s.text);
        for (const auto& [event, expected] :
            { std::pair { &login, s.login }, std::pair { &chat, s.chat }, std::pair { &memoEvent, s.memo } }) {
            event->make();
            const std::vector<std::wstring> sounds = driver.Sounds();
            EXPECT_EQ(std::count(sounds.begin(), sounds.end(), event->sound), expected ? 1 : 0)
                << s.uncheck << " " << std::string(event->sound, event->sound + wcslen(event->sound));
            EXPECT_EQ(driver.IsVibrating(), expected) << s.uncheck;
        }
    }
    driver.Screenshot("scopes-cleared");
}

TEST_F(OptionScreens, EveryOptionSurvivesARestart)
{
    ASSERT_NO_FATAL_FAILURE(OpenOptionList());
    ASSERT_NO_FATAL_FAILURE(Set(OptionListView::RowChatType, 1));
    ASSERT_NO_FATAL_FAILURE(Set(OptionListView::RowViewType, 2));
    ASSERT_NO_FATAL_FAILURE(Set(OptionListView::RowSortType, 1));
    ASSERT_NO_FATAL_FAILURE(Set(OptionListView::RowNotifyType, 1));
    ASSERT_NO_FATAL_FAILURE(OpenRow(OptionListView::RowNotifyScopes, L"Option"));
    ASSERT_NO_FATAL_FAILURE(Choose(1));
    ASSERT_TRUE(driver.Back());
    ASSERT_NO_FATAL_FAILURE(OpenRow(OptionListView::RowNick, L"OptionNick"));
    driver.Type(L"!");
    ASSERT_TRUE(driver.Back());
    ASSERT_TRUE(driver.WaitFor([&] { return driver.ServiceLog().find("CNIK") != std::string::npos; }));

    std::vector<std::wstring> before;
    for (int32_t row = 0; row < OptionListView::RowCount; ++row)
        before.push_back(OptionListView::GetRightText(row));
    EXPECT_EQ(before[OptionListView::RowNotifyScopes], L"로그인+쪽지 알림");

    ASSERT_TRUE(driver.StartSignedIn());
    ASSERT_NO_FATAL_FAILURE(OpenOptionList());
    for (int32_t row = 0; row < OptionListView::RowCount; ++row)
        EXPECT_EQ(OptionListView::GetRightText(row), before[row]) << row;
    EXPECT_EQ(Me::GetInstance()->Nick, L"민수!");
    driver.Screenshot("after-restart");
}

TEST_F(OptionScreens, TheServiceInformationShowsTheProgramsVersion)
{
    ASSERT_NO_FATAL_FAILURE(OpenOptionList());
    ASSERT_NO_FATAL_FAILURE(OpenRow(OptionListView::RowServiceInfo, L"OptionServiceInfo"));
    EXPECT_EQ(driver.Text(L"Disclosure/Title"), L"시스템 정보");
    EXPECT_EQ(driver.Text(L"OptionServiceInfo/View/VersionText"), L"Ver 1.0.3 (Beta)");
    // The same version the sign-in told the service.
    const std::string version(kClientVersion, kClientVersion + wcslen(kClientVersion));
    EXPECT_NE(driver.ServiceLog().find("PVER 1 " + version), std::string::npos);
    driver.Screenshot("service-info");
}
