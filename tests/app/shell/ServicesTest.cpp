// Navigation, session reset, alerts and status texts of the application.
#include "app/shell/Alert.h"
#include "app/shell/StatusText.h"
#include "messenger/model/Options.h"
#include "tests/app/shell/OfflineApp.h"
#include "tests/app/shell/RectEdges.h"

namespace {

class ServicesTest : public ::testing::Test {
public:
    void SetUp() override { ASSERT_TRUE(driver.Start()); }

    MessengerApp& App() { return driver.App(); }
    bool Push(UxWindow& page, int animation = MessengerApp::PushFromRight)
    {
        return App().PushScreen(&App().GetStatusBarDisclosure(), &page, animation);
    }

    AppDriver driver { Offline() };
};

} // namespace

TEST_F(ServicesTest, PushAndReplaceSlideThePageInAndRefuseUnknownAnimations)
{
    App().ShowBuddyList();
    ASSERT_TRUE(Push(App().GetMemoListPage(), MessengerApp::CoverFromBottom));
    EXPECT_TRUE(driver.IsTransitionRunning());
    driver.Settle();
    EXPECT_FALSE(driver.IsTransitionRunning());
    EXPECT_EQ(driver.Screen(), L"MemoList");
    EXPECT_EQ(driver.StatusBar(), &App().GetStatusBarDisclosure());

    EXPECT_FALSE(Push(App().GetChatListPage(), 4));
    EXPECT_FALSE(App().ReplaceScreen(&App().GetStatusBarChat(), &App().GetChatListPage(), -1));
    ASSERT_TRUE(
        App().ReplaceScreen(&App().GetStatusBarChat(), &App().GetChatListPage(), MessengerApp::PushFromLeft));
    driver.Settle();
    EXPECT_EQ(driver.Depth(), 2u);
    EXPECT_EQ(driver.Screen(), L"ChatList");
    // The replaced entry's animation stays: going back later reverses that one.
    EXPECT_EQ(UxNavigationController::GetInstance()->Top().Items[UxNavigationEntry::Page].Parameter, 3);
}

// Whatever was on screen, the reset leaves the saved-login screen and the menu bar.
TEST_F(ServicesTest, ResetLeavesOnlyTheSavedLoginScreenFromEveryState)
{
    const struct {
        const char* state;
        std::function<void(ServicesTest&)> enter;
    } states[] = {
        { "login form", [](ServicesTest&) {} },
        { "connecting after the form",
            [](ServicesTest& t) { t.App().GetLoginConnecting().SetVisible(true); } },
        { "buddy list", [](ServicesTest& t) { t.App().ShowBuddyList(); } },
        { "page sliding in over the buddy list",
            [](ServicesTest& t) {
                t.App().ShowBuddyList();
                t.Push(t.App().GetBuddyProfilePage());
                t.driver.Advance(100);
            } },
        { "a page pushed while the one below still slides",
            [](ServicesTest& t) {
                t.App().ShowBuddyList();
                t.Push(t.App().GetBuddyProfilePage());
                t.Push(t.App().GetChatInfoPage(), MessengerApp::CoverFromTop);
                t.driver.Settle();
            } },
    };
    for (const auto& s : states) {
        ASSERT_TRUE(driver.Start());
        s.enter(*this);
        const std::vector<std::wstring> before = driver.ShownScreens();
        App().ResetSession();
        App().ResetSession();
        // Nothing changes until the message loop's next turn.
        EXPECT_EQ(driver.ShownScreens(), before) << s.state;
        driver.Flush();
        EXPECT_EQ(driver.ShownScreens(), (std::vector<std::wstring> { L"Gate", L"MenuBar" })) << s.state;
        EXPECT_EQ(driver.Depth(), 0u) << s.state;
        EXPECT_FALSE(driver.IsTransitionRunning()) << s.state;
    }
}

TEST(AlertTest, EventsFollowTheNotifyTypeAndScopes)
{
    const AlertAction none;
    const struct {
        int event, type, scopes;
        AlertAction action;
    } cases[] = {
        { 0, 3, 0, { L"login.wav", true } }, // the login ignores the scopes
        { 0, 1, 7, { L"login.wav", false } },
        { 1, 3, 1, { L"buddy_login.wav", true } },
        { 1, 3, 6, none },
        { 2, 2, 2, { L"", true } },
        { 2, 3, 5, none },
        { 3, 1, 4, { L"recv_memo.wav", false } },
        { 3, 3, 3, none },
        { 2, 0, 7, none },
        { 2, 4, 7, none },
        { 4, 3, 7, none },
        { -1, 3, 7, none },
    };
    for (const auto& c : cases) {
        const AlertAction action = ChooseAlert(c.event, c.type, c.scopes);
        EXPECT_EQ(action.sound, c.action.sound) << c.event << " " << c.type << " " << c.scopes;
        EXPECT_EQ(action.vibrate, c.action.vibrate) << c.event << " " << c.type << " " << c.scopes;
    }
}

TEST(AlertTest, PlaysAsTheOptionsSay)
{
    AppDriver driver(Offline());
    ASSERT_TRUE(driver.Start());
    driver.App().PlayAlert(MessengerScreens::AlertChat);
    EXPECT_EQ(driver.Sounds(), (std::vector<std::wstring> { L"recv_chat.wav" }));
    EXPECT_TRUE(driver.IsVibrating());
    driver.Advance(100);
    EXPECT_FALSE(driver.IsVibrating());

    Options::GetInstance()->SetNotifyType(Options::NotifyVibrate);
    Options::GetInstance()->SetNotifyScopes(Options::ScopeChat);
    driver.App().PlayAlert(MessengerScreens::AlertMemo);
    EXPECT_FALSE(driver.IsVibrating());
    driver.App().PlayAlert(MessengerScreens::AlertLogin);
    EXPECT_TRUE(driver.IsVibrating());
    EXPECT_EQ(driver.Sounds().size(), 1u);
}

TEST(StatusTextTest, EveryStatusHasItsWordsAndIcons)
{
    AppDriver driver(Offline());
    ASSERT_TRUE(driver.Start());
    const struct {
        int32_t status;
        uint32_t flags;
        const wchar_t* text;
        int32_t icon; // column in the skin's icon sheets
    } cases[] = {
        { 0, 0, L"온라인", 0 },
        { 1, 0, L"자리 비움", 1 },
        { 2, 0, L"회의 중", 1 },
        { 3, 0, L"통화 중", 2 },
        { 4, 0, L"다른 용무 중", 2 },
        { 5, 0, L"오프라인 표시", 3 },
        { 6, 1, L"오프라인", 3 },
        { 7, 0, L"기타", 0 },
        { -1, 0, L"기타", 0 },
        { 0, 4, L"온라인", 4 },
        { 5, 4 | 1, L"오프라인 표시", 4 },
        { 6, 4, L"오프라인", 5 },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GetStatusText(c.status), c.text) << c.status;
        const plat::RECT big = GetStatusIconBig(c.status, c.flags),
                         small = GetStatusIconSmall(c.status, c.flags);
        EXPECT_EQ(Edges(big), (std::array<int32_t, 4> { 40 * c.icon, 0, 40 * c.icon + 40, 40 })) << c.status;
        EXPECT_EQ(Edges(small), (std::array<int32_t, 4> { 20 * c.icon, 0, 20 * c.icon + 20, 20 }))
            << c.status;
    }
}
