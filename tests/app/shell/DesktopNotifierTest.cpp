// Word of new lines and memos while the window is in the background, end to end: signed
// in as minsu against the local service, jiyeon as the second party, and the desktop's
// notifications going to a notification service on a session bus of the test's own.
#include "app/chat/ChatPage.h"
#include "app/shell/DesktopNotifier.h"
#include "app/shell/MenuSystem.h"
#include "messenger/model/ChatSessionList.h"
#include "messenger/model/Options.h"
#include "platform/event/Window.h"
#include "tests/support/AppDriver.h"
#include "tests/support/NotificationService.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/ThreadNames.h"
#include "ux/core/UxDeviceWindow.h"

#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <thread>

namespace {

const std::string kJiyeon = "jiyeon@quorix.net";
const std::string kJunho = "junho@quorix.net";

// minsu with his buddies jiyeon and junho, and no memos: nothing is unread at first.
AppDriver::Setup Accounts()
{
    AppDriver::Setup setup;
    setup.accounts = R"({"domain": "quorix.net", "memos": [], "accounts": [
        {"id": "minsu@quorix.net", "password": "minsu1234", "name": "김민수", "nick": "민수",
         "groups": [{"id": "0", "name": "기타"}], "buddies": [{"id": "jiyeon@quorix.net", "flags": "1101",
         "group": "0"}, {"id": "junho@quorix.net", "flags": "1101", "group": "0"}]},
        {"id": "jiyeon@quorix.net", "password": "jiyeon1234", "name": "이지연", "nick": "지연",
         "groups": [{"id": "0", "name": "기타"}], "buddies": [{"id": "minsu@quorix.net", "flags": "1101", "group": "0"}]},
        {"id": "junho@quorix.net", "password": "junho1234", "name": "박준호", "nick": "준호",
         "groups": [{"id": "0", "name": "기타"}], "buddies": [{"id": "minsu@quorix.net", "flags": "1101", "group": "0"}]}]})";
    return setup;
}

// Signed in as minsu, jiyeon signed in as the second party.
class Signed : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(driver.StartSignedIn());
        ASSERT_TRUE(driver.SignInParty(kJiyeon));
        name = Title();
        ASSERT_FALSE(name.empty());
    }

    plat::HeadlessDisplay& Display() { return *static_cast<plat::HeadlessDisplay*>(plat::GetDisplay()); }
    // Another window takes the focus, or this one gets it back.
    void Focus(bool focused)
    {
        Display().SetFocused(focused);
        driver.Flush();
    }
    static std::wstring Title()
    {
        wchar_t text[256];
        return std::wstring(text, plat::GetWindowTextW(UxDeviceWindow::GetInstance()->GetHandle(), text, 256));
    }
    // The party (jiyeon unless said) opens a chat with minsu; the chat once she is in it.
    ChatSession* Invited(const std::string& party = kJiyeon)
    {
        const size_t before = ChatSessionList::GetInstance()->GetCount();
        driver.Party("invite", party, R"(, "to": "minsu@quorix.net")");
        ChatSession* chat = nullptr;
        driver.WaitFor([&] {
            ChatSessionList* chats = ChatSessionList::GetInstance();
            chat = chats->GetCount() > before ? chats->GetAt(chats->GetCount() - 1) : nullptr;
            return chat && !chat->Participants.empty();
        });
        return chat && !chat->Participants.empty() ? chat : nullptr;
    }
    static std::wstring Conversation(ChatSession* chat)
    {
        return static_cast<ChatPage*>(chat->GetPage())->GetOutput().GetTranscript().GetText();
    }
    // The party says the line in its chat; true once minsu's chat shows it.
    bool Say(ChatSession* chat, const std::string& text, const std::wstring& shown, const std::string& party = kJiyeon)
    {
        driver.Party("say", party, R"(, "text": ")" + text + "\"");
        return driver.WaitFor([&] { return Conversation(chat).find(shown) != std::wstring::npos; });
    }
    void SendMemo(const std::string& body)
    {
        driver.Party("memo", kJiyeon, R"(, "to": ["minsu@quorix.net"], "body": ")" + body + "\"");
    }

    AppDriver driver { Accounts() };
    std::wstring name;
};

// The same, with a notification service on the session bus.
class Background : public Signed {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(service.IsRunning());
        service.Use();
        Signed::SetUp();
    }
    bool Notified(size_t count)
    {
        return driver.WaitFor([&] { return service.Count() == count; });
    }

    NotificationService service;
};

} // namespace

TEST_F(Background, ALineWhileUnfocusedRaisesOneNotificationAndTheTitleCountsItNoneWhileFocused)
{
    ChatSession* chat = Invited();
    ASSERT_NE(chat, nullptr);
    EXPECT_EQ(Title(), name);

    // Focused: the line is marked unread as ever, and nothing is shown outside.
    ASSERT_TRUE(Say(chat, "앞에 있을 때", L"앞에 있을 때"));
    EXPECT_EQ(Title(), name + L" (1)");
    EXPECT_EQ(Display().GetFlashCount(), 0);

    // Unfocused: one notification for the line, with the sender as the chat names her and
    // the emoticon as its code; the window asks for attention.
    Focus(false);
    ASSERT_TRUE(Say(chat, "안녕하세요 /웃음/ 잘 지냈어요?", L"잘 지냈어요?"));
    ASSERT_TRUE(Notified(1)) << "the focused line was shown, or this one was not";
    const NotificationService::Notice notice = service.Notices()[0];
    EXPECT_EQ(notice.summary, "이지연 (지연) 님의 말");
    EXPECT_EQ(notice.body, "안녕하세요 /웃음/ 잘 지냈어요?");
    EXPECT_EQ(Display().GetFlashCount(), 1);
    EXPECT_EQ(driver.Sounds().back(), L"recv_chat.wav");
    // One chat with unread lines, however many lines.
    EXPECT_EQ(Title(), name + L" (1)");
    EXPECT_EQ(Display().GetTitle(), name + L" (1)");

    // The next line of the same chat replaces the notification.
    ASSERT_TRUE(Say(chat, "두 번째 줄", L"두 번째 줄"));
    ASSERT_TRUE(Notified(2));
    EXPECT_EQ(service.Notices()[1].replaces, notice.id);

    // Reading the chat takes it out of the count.
    Focus(true);
    ChatListView& list = driver.App().GetChatListPage().GetView();
    driver.App().GetBuddyListPage().GetTabBar().Select(TabBar::TabChats);
    driver.Settle();
    ASSERT_TRUE(driver.TapRow(&list, 0));
    driver.Settle();
    ASSERT_EQ(driver.Page(), chat->GetPage() ? dynamic_cast<UxWindow*>(chat->GetPage()) : nullptr);
    EXPECT_EQ(Title(), name);

    // The chat on screen in a window behind another is not seen: its line waits unread
    // and is notified, until the window has the focus again.
    Focus(false);
    ASSERT_TRUE(Say(chat, "보고 있어요?", L"보고 있어요?"));
    ASSERT_TRUE(Notified(3));
    EXPECT_EQ(chat->Unread, 1);
    EXPECT_EQ(Title(), name + L" (1)");
    Focus(true);
    EXPECT_EQ(chat->Unread, 0);
    EXPECT_EQ(Title(), name);
    // Focused, with the chat on screen: nothing, and no flash.
    ASSERT_TRUE(Say(chat, "네 보고 있어요", L"네 보고 있어요"));
    Focus(false);
    ASSERT_TRUE(Say(chat, "마지막", L"마지막"));
    ASSERT_TRUE(Notified(4));
    EXPECT_EQ(service.Notices()[3].body, "마지막");
    EXPECT_EQ(Display().GetFlashCount(), 4);
}

TEST_F(Background, AClickBringsTheWindowForwardOnThatChatOrMemo)
{
    ASSERT_TRUE(driver.SignInParty(kJunho));
    ChatSession* first = Invited(kJunho);
    ASSERT_NE(first, nullptr);
    ChatSession* second = Invited();
    ASSERT_NE(second, nullptr);
    Focus(false);
    ASSERT_TRUE(Say(second, "여기 봐요", L"여기 봐요"));
    ASSERT_TRUE(Notified(1));
    EXPECT_EQ(driver.Screen(), L"BuddyList");

    const int raised = Display().GetRaiseCount();
    ASSERT_TRUE(service.Click(service.Notices()[0].id));
    ASSERT_TRUE(driver.WaitFor([&] { return driver.Page() == dynamic_cast<UxWindow*>(second->GetPage()); }));
    driver.Settle();
    EXPECT_GT(Display().GetRaiseCount(), raised);
    EXPECT_EQ(second->Unread, 0);

    // From one chat to the other: it takes the place of the one shown.
    ASSERT_TRUE(Say(first, "첫 번째 대화", L"첫 번째 대화", kJunho));
    ASSERT_TRUE(Notified(2));
    const size_t depth = driver.Depth();
    ASSERT_TRUE(service.Click(service.Notices()[1].id));
    ASSERT_TRUE(driver.WaitFor([&] { return driver.Page() == dynamic_cast<UxWindow*>(first->GetPage()); }));
    driver.Settle();
    EXPECT_EQ(driver.Depth(), depth);

    // A memo: its notification names the sender as the memo list does, and opens it.
    SendMemo("저녁에 시간 되세요?\\n맛집을 찾았어요.");
    ASSERT_TRUE(Notified(3));
    EXPECT_EQ(service.Notices()[2].summary, "이지연 님의 쪽지");
    EXPECT_EQ(service.Notices()[2].body, "저녁에 시간 되세요? 맛집을 찾았어요.");
    EXPECT_EQ(Title(), name + L" (1)");
    ASSERT_TRUE(service.Click(service.Notices()[2].id));
    ASSERT_TRUE(driver.WaitFor([&] { return driver.Screen() == L"MemoRead"; }));
    driver.Settle();
    EXPECT_EQ(driver.App().GetMemoReadPage().GetShownMemo()->Title, L"저녁에 시간 되세요?\n맛집을 찾았어요.");
    // Opening it asked for the count again: nothing is unread.
    EXPECT_TRUE(driver.WaitFor([&] { return Title() == name; }));

    // The session ends: its notification goes, and nothing of it is left to click.
    ASSERT_TRUE(Say(first, "끝", L"끝", kJunho));
    ASSERT_TRUE(Notified(4));
    driver.Service().Control("/kill", "minsu@quorix.net");
    ASSERT_TRUE(driver.WaitFor([&] { return driver.Screen() == L"Gate"; }));
    ASSERT_TRUE(driver.WaitFor([&] { return !service.Closed().empty() && service.Closed().back() == service.Notices()[3].id; }));
    EXPECT_EQ(driver.Screen(), L"Gate");
    EXPECT_EQ(driver.Depth(), 0u);
}

// Read in the window, a chat's or a memo's notification is closed on the desktop; at the
// end of the session all that are left are.
TEST_F(Background, ANotificationGoesWhenItsChatOrMemoIsReadAndAllWhenTheSessionEnds)
{
    ChatSession* chat = Invited();
    ASSERT_NE(chat, nullptr);
    Focus(false);
    ASSERT_TRUE(Say(chat, "읽어 주세요", L"읽어 주세요"));
    ASSERT_TRUE(Notified(1));
    const uint32_t line = service.Notices()[0].id;

    // Back in front on the buddy list, the chat is not read yet: it stays.
    Focus(true);
    driver.Flush();
    EXPECT_TRUE(service.Closed().empty());
    // Opened from the chat list, it is.
    driver.App().GetBuddyListPage().GetTabBar().Select(TabBar::TabChats);
    driver.Settle();
    ASSERT_TRUE(driver.TapRow(&driver.App().GetChatListPage().GetView(), 0));
    driver.Settle();
    ASSERT_TRUE(driver.WaitFor([&] { return service.Closed() == std::vector<uint32_t> { line }; }));

    // The chat on screen behind another window: read when the window has the focus again.
    Focus(false);
    ASSERT_TRUE(Say(chat, "다시", L"다시"));
    ASSERT_TRUE(Notified(2));
    EXPECT_EQ(service.Notices()[1].replaces, 0u); // the first was closed: a new one
    Focus(true);
    ASSERT_TRUE(driver.WaitFor([&] { return service.Closed().size() == 2; }));
    EXPECT_EQ(service.Closed()[1], service.Notices()[1].id);

    // A memo: closed when it is opened in the read page, not before.
    ASSERT_TRUE(driver.Back());
    Focus(false);
    SendMemo("쪽지 읽기");
    ASSERT_TRUE(Notified(3));
    Focus(true);
    ASSERT_TRUE(driver.Tap(L"TabBar/Tab3"));
    driver.Settle();
    MemoListView& memos = driver.App().GetMemoListPage().GetView();
    ASSERT_TRUE(driver.WaitFor([&] { return memos.GetRowCount() >= 1; }));
    EXPECT_EQ(service.Closed().size(), 2u);
    ASSERT_TRUE(driver.TapRow(&memos, 0));
    driver.Settle();
    ASSERT_EQ(driver.Screen(), L"MemoRead");
    ASSERT_TRUE(driver.WaitFor([&] { return service.Closed().size() == 3; }));
    EXPECT_EQ(service.Closed()[2], service.Notices()[2].id);

    // Signing out closes the rest: a line and a memo still on the desktop.
    ASSERT_TRUE(driver.Back());
    Focus(false);
    ASSERT_TRUE(Say(chat, "마지막", L"마지막"));
    SendMemo("두 번째 쪽지");
    ASSERT_TRUE(Notified(5));
    Focus(true);
    ASSERT_TRUE(driver.Tap(L"TabBar/Tab1"));
    driver.Settle();
    ASSERT_TRUE(driver.Tap(L"MenuBar/SystemMenuButton"));
    auto* menu = dynamic_cast<MenuSystem*>(driver.Popup());
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(driver.TapRow(&menu->GetList(), MenuSystem::LogOut));
    ASSERT_EQ(driver.Screen(), L"Gate");
    ASSERT_TRUE(driver.WaitFor([&] { return service.Closed().size() == 5; }));
    const std::vector<uint32_t> closed = service.Closed();
    EXPECT_EQ(std::set<uint32_t>(closed.begin() + 3, closed.end()),
        (std::set<uint32_t> { service.Notices()[3].id, service.Notices()[4].id }));
}

// Past 64 notifications still on the desktop the oldest is closed as the next comes, and
// every later one still goes when read and at the end of the session: none stays up. The
// program cannot tell one the person dismissed on the desktop from one still shown.
TEST_F(Background, PastSixtyFourMemosInTheBackgroundNoNotificationIsLeftBehind)
{
    Focus(false);
    const size_t count = 65;
    for (size_t i = 1; i < count; ++i) {
        SendMemo("쪽지 " + std::to_string(i));
        ASSERT_TRUE(Notified(i)) << i;
    }
    ASSERT_TRUE(service.Close(service.Notices()[1].id));
    SendMemo("마지막 쪽지");
    ASSERT_TRUE(Notified(count));
    const std::vector<NotificationService::Notice> notices = service.Notices();
    EXPECT_EQ(notices.back().body, "마지막 쪽지");
    ASSERT_TRUE(driver.WaitFor([&] { return service.Closed() == std::vector<uint32_t> { notices[0].id }; }))
        << service.Closed().size() << " closed";

    // The newest, read from its notification.
    ASSERT_TRUE(service.Click(notices.back().id));
    ASSERT_TRUE(driver.WaitFor([&] { return driver.Screen() == L"MemoRead"; }));
    ASSERT_TRUE(driver.WaitFor([&] { return service.Closed().size() == 2; }));
    EXPECT_EQ(service.Closed()[1], notices.back().id);

    // Signing out closes the rest.
    ASSERT_TRUE(driver.Back());
    ASSERT_TRUE(driver.FromSystemMenu(MenuSystem::LogOut)) << ToUtf8(driver.Screen());
    ASSERT_EQ(driver.Screen(), L"Gate");
    std::set<uint32_t> shown;
    for (const NotificationService::Notice& notice : notices)
        shown.insert(notice.id);
    shown.erase(notices[1].id); // dismissed on the desktop
    ASSERT_TRUE(driver.WaitFor([&] { return service.Closed().size() >= shown.size(); }));
    const std::vector<uint32_t> closed = service.Closed();
    EXPECT_EQ(std::set<uint32_t>(closed.begin(), closed.end()), shown);
}

// Quitting while signed in ends the session as well: before the program goes, what it
// still shows is closed on the desktop, also a notification still on its way.
TEST_F(Background, QuittingClosesEveryNotificationStillShown)
{
    ChatSession* chat = Invited();
    ASSERT_NE(chat, nullptr);
    Focus(false);
    ASSERT_TRUE(Say(chat, "나가기 전에", L"나가기 전에"));
    SendMemo("안 읽은 쪽지");
    ASSERT_TRUE(Notified(2));
    ASSERT_TRUE(Say(chat, "마지막 한 줄", L"마지막 한 줄"));
    driver.Stop();

    // Each notification the service shows is closed: the last line's replaced the
    // first's, or was never shown when the end came first.
    auto closedAll = [&] {
        std::set<uint32_t> shown;
        for (const NotificationService::Notice& notice : service.Notices())
            shown.insert(notice.id);
        const std::vector<uint32_t> closed = service.Closed();
        return shown.size() == 2 && std::set<uint32_t>(closed.begin(), closed.end()) == shown;
    };
    for (int waited = 0; waited < 5000 && !closedAll(); waited += 10)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(closedAll()) << service.Closed().size() << " closed of " << service.Count();
    EXPECT_EQ(ThreadsNamed("notify"), 0);
}

TEST_F(Background, TheOptionsDecideAsForTheSound)
{
    ChatSession* chat = Invited();
    ASSERT_NE(chat, nullptr);
    Options* options = Options::GetInstance();
    Focus(false);

    // "사용 안 함": no sound, no notification, no flash; the title still counts.
    options->SetNotifyType(0);
    ASSERT_TRUE(Say(chat, "조용히", L"조용히"));
    EXPECT_EQ(Title(), name + L" (1)");
    // Chats left out of the scopes, memos in: only the memo is notified.
    options->SetNotifyType(2);
    options->SetNotifyScopes(1 | 4);
    ASSERT_TRUE(Say(chat, "대화는 빼고", L"대화는 빼고"));
    SendMemo("쪽지만");
    ASSERT_TRUE(Notified(1));
    EXPECT_EQ(service.Notices()[0].body, "쪽지만");
    EXPECT_EQ(Display().GetFlashCount(), 1);
    EXPECT_EQ(Title(), name + L" (2)");
    // Vibration alone alerts too.
    options->SetNotifyScopes(2);
    ASSERT_TRUE(Say(chat, "이제 대화", L"이제 대화"));
    ASSERT_TRUE(Notified(2));
    EXPECT_EQ(service.Notices()[1].body, "이제 대화");
}

TEST_F(Background, TheTitleFollowsTheUnreadChatsAndMemosToTheEndOfTheSession)
{
    ASSERT_TRUE(driver.SignInParty(kJunho));
    ChatSession* first = Invited(kJunho);
    ChatSession* second = Invited();
    ASSERT_TRUE(first && second);
    ASSERT_TRUE(Say(second, "하나", L"하나"));
    ASSERT_TRUE(Say(first, "둘", L"둘", kJunho));
    SendMemo("셋");
    ASSERT_TRUE(driver.WaitFor([&] { return Title() == name + L" (3)"; }));
    EXPECT_EQ(DesktopNotifier::CountUnread(), 3);

    // A second start still finds the running window by its class and counted title.
    EXPECT_EQ(UxDeviceWindow::FindRunningWindow(name), UxDeviceWindow::GetInstance()->GetHandle());

    // Closing a read chat changes nothing; reading the other takes one off.
    driver.App().GetBuddyListPage().GetTabBar().Select(TabBar::TabChats);
    driver.Settle();
    ASSERT_TRUE(driver.TapRow(&driver.App().GetChatListPage().GetView(), 1));
    driver.Settle();
    EXPECT_EQ(Title(), name + L" (2)");
    ASSERT_TRUE(driver.Tap(L"Chat/CloseButton"));
    driver.Settle();
    driver.Flush();
    EXPECT_EQ(ChatSessionList::GetInstance()->GetCount(), 1u);
    EXPECT_EQ(Title(), name + L" (2)");

    // Signing out: back to the plain name.
    ASSERT_TRUE(driver.Tap(L"MenuBar/SystemMenuButton"));
    auto* menu = dynamic_cast<MenuSystem*>(driver.Popup());
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(driver.TapRow(&menu->GetList(), MenuSystem::LogOut));
    EXPECT_EQ(driver.Screen(), L"Gate");
    EXPECT_EQ(Title(), name);
    EXPECT_EQ(Display().GetTitle(), name);
}

TEST_F(Signed, WithoutANotificationServiceNothingFails)
{
    ChatSession* chat = Invited();
    ASSERT_NE(chat, nullptr);
    Focus(false);
    // No session bus: the title and the attention all the same, and no thread.
    ScopedEnv noBus("DBUS_SESSION_BUS_ADDRESS");
    noBus.Unset();
    ASSERT_TRUE(Say(chat, "버스 없음", L"버스 없음"));
    EXPECT_EQ(Title(), name + L" (1)");
    EXPECT_EQ(Display().GetFlashCount(), 1);
    EXPECT_EQ(ThreadsNamed("notify"), 0);
    // A bus where nobody shows notifications.
    {
        NotificationService bare({}, false);
        ASSERT_TRUE(bare.IsRunning());
        bare.Use();
        ASSERT_TRUE(Say(chat, "아무도 없음", L"아무도 없음"));
        EXPECT_EQ(Display().GetFlashCount(), 2);
        ASSERT_TRUE(driver.WaitFor([] { return ThreadsNamed("notify") == 1; }));
    }
    // The bus goes away: so does the worker, until the next notification.
    ASSERT_TRUE(driver.WaitFor([] { return ThreadsNamed("notify") == 0; }));
    ASSERT_TRUE(Say(chat, "그래도 계속", L"그래도 계속"));
}

TEST(DesktopNotifierText, TitlesAndExcerpts)
{
    EXPECT_EQ(DesktopNotifier::MakeTitle(L"Quorix", 0), L"Quorix");
    EXPECT_EQ(DesktopNotifier::MakeTitle(L"Quorix", 3), L"Quorix (3)");
    EXPECT_EQ(DesktopNotifier::MakeTitle(L"Quorix", -1), L"Quorix");

    // Blanks and line breaks run together; nothing is left at either end.
    EXPECT_EQ(DesktopNotifier::Excerpt(L"  첫 줄\r\n\n둘째\t줄  "), L"첫 줄 둘째 줄");
    EXPECT_EQ(DesktopNotifier::Excerpt(L""), L"");
    EXPECT_EQ(DesktopNotifier::Excerpt(L"\n \t"), L"");
    // Exactly the limit stays whole.
    const std::wstring full(DesktopNotifier::kExcerptLength, L'가');
    EXPECT_EQ(DesktopNotifier::Excerpt(full), full);
    // Longer: cut at the limit when no word ends near it ...
    EXPECT_EQ(DesktopNotifier::Excerpt(full + L"나"), full + L"…");
    // ... else after the last whole word.
    std::wstring words;
    while (words.size() < 150)
        words += L"단어 ";
    const std::wstring cut = DesktopNotifier::Excerpt(words);
    EXPECT_EQ(cut.back(), L'…');
    EXPECT_LE(cut.size(), DesktopNotifier::kExcerptLength + 1);
    EXPECT_EQ(cut.substr(cut.size() - 3), L"단어…");
}
