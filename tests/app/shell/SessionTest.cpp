// A session against the local service: signed in, ended by the service, or never
// connected.
#include "app/chat/ChatPage.h"
#include "app/shell/MenuAccount.h"
#include "app/shell/MenuSystem.h"
#include "messenger/model/ChatSessionList.h"
#include "messenger/model/MemoList.h"
#include "tests/app/shell/OfflineApp.h"
#include "tests/support/AppDriver.h"
#include "tests/support/LoopbackServer.h"

#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>

namespace {

// Signed in to the buddy list.
class SessionTest : public ::testing::Test {
public:
    void SetUp() override
    {
        ASSERT_TRUE(driver.Start());
        ASSERT_TRUE(driver.SignIn(L"minsu@quorix.net", L"minsu1234"));
    }

    AppDriver driver;
};

} // namespace

TEST_F(SessionTest, SignsInToTheBuddyListAndReturnsToTheGateWhenTheServiceEndsIt)
{
    EXPECT_EQ(driver.StatusBar(), &driver.App().GetStatusBarDefault());
    EXPECT_TRUE(driver.IsShown(L"MenuBar/SystemMenuButton"));
    EXPECT_EQ(driver.Sounds(), (std::vector<std::wstring> { L"login.wav" }));

    driver.Service().Control("/kill", "minsu@quorix.net");
    ASSERT_TRUE(driver.WaitFor([&] { return driver.Screen() == L"Gate"; }));
    // The service's reason stays up over the saved-login screen until read.
    EXPECT_EQ(driver.ShownScreens(), (std::vector<std::wstring> { L"Gate", L"MenuBar", L"MsgBox" }));
    EXPECT_EQ(driver.Depth(), 0u);
    ASSERT_TRUE(driver.Click(L"MsgBox/OkButton"));
    EXPECT_EQ(driver.ShownScreens(), (std::vector<std::wstring> { L"Gate", L"MenuBar" }));
    EXPECT_FALSE(driver.IsShown(L"MenuBar/SystemMenuButton"));
}

// A failed connect used to leave the connecting screen up, its progress running, over
// the saved-login screen.
TEST(SessionFailTest, AFailedConnectLeavesOnlyTheSavedLoginScreen)
{
    AppDriver driver(Offline());
    setenv("QUORIX_DISPATCH_HOST", "127.0.0.1", 1);
    setenv("QUORIX_DISPATCH_PORT", std::to_string(ClosedLoopbackPort()).c_str(), 1);
    ASSERT_TRUE(driver.Start());
    EXPECT_FALSE(driver.SignIn(L"minsu@quorix.net", L"minsu1234"));
    EXPECT_EQ(driver.ShownScreens(), (std::vector<std::wstring> { L"Gate", L"MenuBar", L"MsgBox" }));
    EXPECT_EQ(driver.Text(L"MsgBox/Text"), L"서버에 접속할 수 없습니다.");
}

TEST_F(SessionTest, AddingAGroupSendsTheRequestAndGoesBackOnlyWhileTheSessionStands)
{
    MessengerApp& app = driver.App();
    StatusBarDisclosure& bar = app.GetStatusBarDisclosure();
    const auto pushGroupAdd = [&] {
        app.PushScreen(&bar, &app.GetGroupAddPage(), MessengerApp::CoverFromBottom);
        driver.Settle();
    };

    pushGroupAdd();
    bar.AddGroup(); // no name: an alert, nothing sent
    EXPECT_EQ(driver.Screen(), L"GroupAdd");
    app.GetGroupAddPage().SetGroupName(L"동호회");
    bar.AddGroup();
    driver.Settle();
    EXPECT_EQ(driver.Screen(), L"BuddyList");
    EXPECT_TRUE(driver.WaitFor([&] { return driver.ServiceLog().find("ADDG") != std::string::npos; }));

    // The session is ending: nothing goes out and the reset, not the bar, decides
    // what shows.
    pushGroupAdd();
    TarvPeer::GetInstance()->RequestReset();
    bar.AddGroup();
    EXPECT_EQ(driver.Depth(), 2u);
    driver.Flush();
    EXPECT_EQ(driver.Screen(), L"Gate");
}

TEST_F(SessionTest, LoggingOutFromTheSystemMenuSendsLoutAndReturnsToTheGate)
{
    // An unread memo and an unread chat line light the menu bar's marks.
    LocalService& service = driver.Service();
    service.Post("/party/sign-in", R"({"user": "jiyeon@quorix.net"})");
    service.Post("/party/memo", R"({"user": "jiyeon@quorix.net", "to": ["minsu@quorix.net"], "body": "x"})");
    service.Post("/party/invite", R"({"user": "jiyeon@quorix.net", "to": "minsu@quorix.net"})");
    ChatSessionList* chats = ChatSessionList::GetInstance();
    ASSERT_TRUE(driver.WaitFor([&] { return chats->GetCount() && !chats->GetAt(0)->Participants.empty(); }));
    service.Post("/party/say", R"({"user": "jiyeon@quorix.net", "text": "x"})");
    ASSERT_TRUE(driver.WaitFor(
        [&] { return driver.IsShown(L"MenuBar/ChatNotifyImage") && driver.IsShown(L"MenuBar/MemoNotifyImage"); }));
    // A second chat, on screen when the user signs out.
    service.Post("/party/sign-in", R"({"user": "junho@quorix.net"})");
    service.Post("/party/invite", R"({"user": "junho@quorix.net", "to": "minsu@quorix.net"})");
    ASSERT_TRUE(driver.WaitFor([&] { return chats->GetCount() == 2; }));
    driver.App().GetBuddyListPage().GetTabBar().Select(TabBar::TabChats);
    driver.Settle();
    ChatListView& list = driver.App().GetChatListPage().GetView();
    ASSERT_EQ(list.GetRowCount(), 2);
    ASSERT_TRUE(driver.TapRow(&list, 1));
    driver.Settle();
    ASSERT_EQ(driver.Screen(), L"Chat");
    UxPageIndicator& dots = driver.App().GetStatusBarChat().PageIndicator;
    EXPECT_EQ(dots.GetPageCount(), 2);

    ASSERT_TRUE(driver.Tap(L"MenuBar/SystemMenuButton"));
    auto* menu = dynamic_cast<MenuSystem*>(driver.Popup());
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(driver.TapRow(&menu->GetList(), MenuSystem::LogOut));
    EXPECT_EQ(driver.Screen(), L"Gate");
    EXPECT_EQ(driver.Depth(), 0u);
    EXPECT_TRUE(driver.WaitFor([&] { return driver.ServiceLog().find("LOUT") != std::string::npos; }));
    // Nothing is unread over the saved-login screen.
    EXPECT_FALSE(driver.IsShown(L"MenuBar/ChatNotifyImage"));
    EXPECT_FALSE(driver.IsShown(L"MenuBar/MemoNotifyImage"));
    EXPECT_FALSE(MemoList::GetInstance()->Unread);
    // No chat, page, row or page dot is left of them.
    driver.Settle();
    EXPECT_EQ(chats->GetCount(), 0u);
    EXPECT_EQ(list.GetRowCount(), 0);
    EXPECT_EQ(dots.GetPageCount(), 0);
    EXPECT_FALSE(driver.IsShown(L"Chat"));
    for (UxWindow* child = driver.App().GetFirstChild(); child; child = child->GetNextSibling())
        EXPECT_EQ(dynamic_cast<ChatPage*>(child), nullptr);
}

// What was typed in one session is not there for the next, which may be someone else's:
// every form and search is empty after the session ends, here by the service.
TEST_F(SessionTest, EndingTheSessionEmptiesEveryFormAndSearch)
{
    MessengerApp& app = driver.App();
    const auto fromSystemMenu = [&](int32_t row) { ASSERT_TRUE(driver.FromSystemMenu(row)); };
    const auto tapTab = [&](const wchar_t* tab) {
        ASSERT_TRUE(driver.Tap(std::wstring(L"TabBar/") + tab));
        driver.Settle();
    };

    // The buddy search, the add form (id, a typed domain, a message), a group's name.
    ASSERT_TRUE(driver.Tap(L"SearchBar/SearchWord"));
    driver.Type(L"지연");
    ASSERT_EQ(app.GetBuddyListPage().GetView().GetFilter(), L"지연");
    fromSystemMenu(MenuSystem::AddBuddy);
    BuddyAddView& form = app.GetBuddyAddPage().GetView();
    driver.Type(L"dahye");
    ASSERT_TRUE(driver.Tap(L"View/AccountButton"));
    ASSERT_TRUE(driver.TapMenuRowAtEnd(MenuAccount::kFreeEntry));
    driver.Type(L"mailbox.kr");
    ASSERT_TRUE(driver.Tap(L"View/RequestMessage"));
    driver.Type(L"안녕");
    ASSERT_EQ(form.IdEdit.GetText() + L"@" + form.AccountEdit.GetText(), L"dahye@mailbox.kr");
    ASSERT_TRUE(driver.Back());
    fromSystemMenu(MenuSystem::AddGroup);
    driver.Type(L"동호회");
    ASSERT_EQ(app.GetGroupAddPage().GetGroupName(), L"동호회");
    ASSERT_TRUE(driver.Back());

    // A memo's draft, and a search in the picker of its receivers.
    tapTab(L"Tab3");
    ASSERT_TRUE(driver.Tap(L"TitleBar/WriteButton"));
    driver.Settle();
    driver.Type(L"초안");
    ASSERT_TRUE(driver.Tap(L"View/ReceiverButton"));
    driver.Settle();
    ASSERT_EQ(driver.Screen(), L"BuddySelect");
    ASSERT_TRUE(driver.Tap(L"SearchBar/SearchWord"));
    driver.Type(L"준호");
    ASSERT_EQ(app.GetBuddySelectPage().GetView().GetFilter(), L"준호");
    ASSERT_TRUE(driver.Back());
    ASSERT_TRUE(driver.Back());
    ASSERT_EQ(app.GetMemoWritePage().GetView().Message.GetText(), L"초안");

    // A nick being typed when the service ends the session.
    tapTab(L"Tab4");
    ASSERT_TRUE(driver.TapRow(&app.GetOptionListPage().GetView(), OptionListView::RowNick));
    driver.Settle();
    ASSERT_EQ(driver.Screen(), L"OptionNick");
    driver.Type(L"짱");
    ASSERT_EQ(app.GetOptionNickPage().GetView().Edit.GetText(), L"민수짱");
    driver.Service().Control("/kill", "minsu@quorix.net");
    ASSERT_TRUE(driver.WaitFor([&] { return driver.Screen() == L"Gate" && driver.Popup(); }));
    ASSERT_TRUE(driver.Click(L"MsgBox/OkButton"));

    // Nothing of it is left, not even where nobody looks before the page opens again.
    EXPECT_EQ(app.GetMemoWritePage().GetView().Message.GetText(), L"");
    EXPECT_TRUE(app.GetMemoWritePage().GetView().GetReceivers().empty());
    EXPECT_EQ(app.GetBuddySelectPage().GetView().GetFilter(), L"");
    EXPECT_EQ(app.GetOptionNickPage().GetView().Edit.GetText(), L"");
    ASSERT_TRUE(driver.SignIn(L"minsu@quorix.net", L"minsu1234"));
    driver.Settle();
    EXPECT_EQ(driver.Text(L"SearchBar/SearchWord"), L"");
    fromSystemMenu(MenuSystem::AddBuddy);
    EXPECT_EQ(form.IdEdit.GetText(), L"");
    EXPECT_EQ(form.AccountEdit.GetText(), L"quorix.net");
    EXPECT_TRUE(form.AccountEdit.GetStyles() & UxEdit::ReadOnly);
    EXPECT_EQ(form.RequestMessage.GetText(), L"");
    EXPECT_EQ(form.GetGroupName(), L"기타");
    driver.Screenshot("add-form-after-sign-in");
    ASSERT_TRUE(driver.Back());
    fromSystemMenu(MenuSystem::AddGroup);
    EXPECT_EQ(driver.Text(L"GroupAdd/GroupName"), L"");
    ASSERT_TRUE(driver.Back());
    tapTab(L"Tab4");
    ASSERT_TRUE(driver.TapRow(&app.GetOptionListPage().GetView(), OptionListView::RowNick));
    driver.Settle();
    EXPECT_EQ(app.GetOptionNickPage().GetView().Edit.GetText(), L"민수");
    EXPECT_EQ(driver.ServiceLogLines("CNIK"), 0u);
}

// With a memo being written, signing out and closing the window ask as Escape does: No
// keeps the writer, its text and the session; Yes signs out or quits. The service
// ending the session asks nothing.
TEST_F(SessionTest, SigningOutOrClosingTheWindowAsksBeforeAMemoBeingWrittenGoes)
{
    const std::wstring question = L"작성 중인 쪽지를 취소하시겠습니까?";
    MessengerApp& app = driver.App();
    UxEdit& message = app.GetMemoWritePage().GetView().Message;
    const auto write = [&](const std::wstring& text) {
        driver.Settle();
        ASSERT_TRUE(driver.Tap(L"TabBar/Tab3"));
        driver.Settle();
        ASSERT_TRUE(driver.Tap(L"TitleBar/WriteButton"));
        driver.Settle();
        ASSERT_EQ(driver.Screen(), L"MemoWrite");
        driver.TypeKorean(text);
    };
    const auto signOut = [&] {
        ASSERT_TRUE(driver.Tap(L"MenuBar/SystemMenuButton"));
        auto* menu = dynamic_cast<MenuSystem*>(driver.Popup());
        ASSERT_NE(menu, nullptr);
        ASSERT_TRUE(driver.TapRow(&menu->GetList(), MenuSystem::LogOut));
    };

    ASSERT_NO_FATAL_FAILURE(write(L"내일 봐"));
    ASSERT_NO_FATAL_FAILURE(signOut());
    EXPECT_EQ(driver.Answer(L"NoButton"), question);
    ASSERT_FALSE(driver.CloseWindow());
    EXPECT_EQ(driver.Answer(L"NoButton"), question);
    EXPECT_FALSE(driver.StopIfQuit());
    EXPECT_EQ(driver.Screen(), L"MemoWrite");
    driver.TypeKorean(L"요");
    EXPECT_EQ(message.GetText(), L"내일 봐요");
    EXPECT_EQ(driver.ServiceLog().find("LOUT"), std::string::npos);

    ASSERT_NO_FATAL_FAILURE(signOut());
    EXPECT_EQ(driver.Answer(L"YesButton"), question);
    EXPECT_EQ(driver.Screen(), L"Gate");
    EXPECT_TRUE(driver.WaitFor([&] { return driver.ServiceLog().find("LOUT") != std::string::npos; }));

    ASSERT_TRUE(driver.SignIn(L"minsu@quorix.net", L"minsu1234"));
    ASSERT_NO_FATAL_FAILURE(write(L"다시"));
    driver.Service().Control("/kill", "minsu@quorix.net");
    ASSERT_TRUE(driver.WaitFor([&] { return driver.Screen() == L"Gate" && driver.Popup(); }));
    EXPECT_NE(driver.PopupText(), question);
    ASSERT_TRUE(driver.Click(L"MsgBox/OkButton"));

    ASSERT_TRUE(driver.SignIn(L"minsu@quorix.net", L"minsu1234"));
    ASSERT_NO_FATAL_FAILURE(write(L"끝"));
    // The desktop may ask twice for one press of the close button: one question.
    ASSERT_FALSE(driver.CloseWindow());
    UxWindow* box = driver.Popup();
    EXPECT_FALSE(driver.CloseWindow());
    EXPECT_EQ(driver.Popup(), box);
    EXPECT_EQ(driver.Answer(L"YesButton"), question);
    EXPECT_TRUE(driver.StopIfQuit());
}
