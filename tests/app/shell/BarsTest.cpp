// The status bars, the tab bar and the menu bar, tapped on screen.
#include "app/shell/StatusText.h"
#include "platform/system/Shell.h"
#include "tests/app/shell/OfflineApp.h"
#include "tests/app/shell/RectEdges.h"
#include "tests/support/FrameCheck.h"
#include "ux/core/UxSipHandler.h"

#include <gtest/gtest.h>

namespace {

using BarsTest = OfflineAppTest;

} // namespace

TEST_F(BarsTest, TabsSwitchTheMainPagesUnderTheSameStatusBar)
{
    const wchar_t* pages[] = { L"ChatList", L"MemoList", L"OptionList", L"BuddyList" };
    const int tabs[] = { 1, 2, 3, 0 };
    for (int i = 0; i < 4; ++i) {
        TabBar& bar = static_cast<MainPage*>(driver.Page())->GetTabBar();
        const plat::RECT tab = bar.GetTab(tabs[i])->GetScreenRect();
        driver.Tap((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
        EXPECT_EQ(driver.Screen(), pages[i]);
        EXPECT_EQ(driver.StatusBar(), &App().GetStatusBarDefault());
        EXPECT_EQ(driver.Depth(), 1u);
        // The page that came up shows its own tab selected, whatever it showed before.
        TabBar& shown = static_cast<MainPage*>(driver.Page())->GetTabBar();
        for (int t = 0; t < 4; ++t)
            EXPECT_EQ(shown.GetTab(t)->IsChecked(), t == tabs[i]) << i << " " << t;
    }
}

TEST_F(BarsTest, BackWaitsForTheRunningTransition)
{
    ASSERT_TRUE(App().PushScreen(
        &App().GetStatusBarDisclosure(), &App().GetBuddyProfilePage(), MessengerApp::PushFromRight));
    driver.Advance(100);
    ASSERT_TRUE(driver.IsTransitionRunning());
    EXPECT_TRUE(driver.Tap(L"Disclosure/BackButton"));
    EXPECT_EQ(driver.Depth(), 2u);
    driver.Settle();
    EXPECT_EQ(driver.Text(L"Disclosure/Title"), L"친구 프로필");
    EXPECT_TRUE(driver.Back());
    EXPECT_EQ(driver.Depth(), 1u);
    EXPECT_EQ(driver.Screen(), L"BuddyList");
}

TEST_F(BarsTest, TheKeyboardButtonFollowsTheInputPanel)
{
    ASSERT_TRUE(driver.Tap(L"MenuBar/SipButton"));
    EXPECT_TRUE(plat::IsInputPanelShown());
    EXPECT_TRUE(driver.IsChecked(L"MenuBar/SipButton"));
    ASSERT_TRUE(driver.Tap(L"MenuBar/SipButton"));
    EXPECT_FALSE(plat::IsInputPanelShown());
    EXPECT_FALSE(driver.IsChecked(L"MenuBar/SipButton"));
    // Opened by other means, the panel still checks the button.
    UxSipHandler::GetInstance()->Show();
    driver.Flush();
    EXPECT_TRUE(driver.IsChecked(L"MenuBar/SipButton"));

    // Pressed while typing and let go elsewhere, it stays in step with the panel.
    ASSERT_TRUE(driver.Tap(L"SearchBar/SearchWord"));
    const plat::RECT button = driver.Find(L"MenuBar/SipButton")->GetScreenRect();
    const int x = (button.left + button.right) / 2, y = (button.top + button.bottom) / 2;
    driver.Drag(x, y, x + 200, y - 200);
    driver.Settle();
    EXPECT_EQ(driver.IsChecked(L"MenuBar/SipButton"), plat::IsInputPanelShown());
}

TEST_F(BarsTest, TheKeyboardButtonShowsTheKeyboardsMode)
{
    MenuBar& bar = App().GetMenuBar();
    const auto mode = [&] { return bar.SipButton.GetDefaultLabel().GetText(); };
    EXPECT_EQ(mode(), L"A");
    ASSERT_TRUE(driver.Tap(L"MenuBar/SipButton"));
    // The keyboard's own key, and fields that ask for a language, switch it.
    driver.Key(plat::VK_HANGUL);
    EXPECT_EQ(mode(), L"한");
    EXPECT_EQ(bar.SipButton.GetCheckedLabel().GetText(), L"한");
    driver.Screenshot("keyboard-hangul");
    driver.Key(plat::VK_HANGUL);
    EXPECT_EQ(mode(), L"A");
    driver.Screenshot("keyboard-latin");
    UxSipHandler::GetInstance()->SetConversionMode(1);
    EXPECT_EQ(mode(), L"한");
    UxSipHandler::GetInstance()->SetConversionMode(2);
    EXPECT_EQ(mode(), L"A");
    // The letters are drawn on the button: the two modes look different.
    const plat::RECT r = bar.SipButton.GetScreenRect();
    driver.Flush();
    const std::vector<uint32_t> latin = AreaColours(r);
    UxSipHandler::GetInstance()->SetConversionMode(1);
    driver.Flush();
    EXPECT_NE(AreaColours(r), latin);
    plat::ResetInputPanel();
}

TEST_F(BarsTest, TheDefaultBarShowsTheUserAndOpensThePortal)
{
    Me::GetInstance()->Nick = L"민수";
    Me::GetInstance()->Status = 1;
    Me::GetInstance()->WebTicket = L"T42";
    App().RefreshMyStatus();
    EXPECT_EQ(driver.Text(L"Default/Nick"), L"민수");
    EXPECT_EQ(Edges(App().GetStatusBarDefault().StatusIcon.GetImage().GetDesc().ImageCoord),
        Edges(GetStatusIconSmall(1, 0)));

    std::vector<std::wstring> opened;
    plat::SetShellOpenHook([&](const std::wstring& target) {
        opened.push_back(target);
        return true;
    });
    driver.Tap(L"Default/MailIcon");
    driver.Tap(L"Default/LumastaIcon");
    EXPECT_EQ(opened,
        (std::vector<std::wstring> { L"http://go.quorix.net/index.php?code=G115&t=T42",
            L"http://go.quorix.net/index.php?code=D044&t=T42" }));
    EXPECT_EQ(driver.Popup(), nullptr);

    // Where the desktop's opener cannot open it, an alert says so and where it leads,
    // without the query that carries the session's ticket.
    plat::SetShellOpenHook([](const std::wstring&) { return false; });
    for (const wchar_t* icon : { L"Default/MailIcon", L"Default/LumastaIcon" }) {
        driver.Tap(icon);
        EXPECT_EQ(
            driver.Answer(L"OkButton"), L"웹 페이지를 열 수 없습니다.\n\nhttp://go.quorix.net/index.php")
            << icon;
    }
    plat::SetShellOpenHook({});
}
