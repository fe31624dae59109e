// Start-up and shut-down of the whole program, through the test driver.
#include "messenger/model/BuddyList.h"
#include "messenger/model/ChatSessionList.h"
#include "messenger/model/EmoticonList.h"
#include "messenger/model/GroupList.h"
#include "messenger/model/Options.h"
#include "messenger/protocol/codec/PktFactory.h"
#include "messenger/protocol/codec/PktHandlerFactory.h"
#include "messenger/protocol/codec/PktTransactionIdIssuer.h"
#include "messenger/protocol/connection/PktPendingList.h"
#include "messenger/protocol/connection/TarvPong.h"
#include "tests/app/shell/OfflineApp.h"
#include "tests/app/shell/RectEdges.h"
#include "tests/support/DesktopFixture.h"
#include "tests/support/TraceCapture.h"
#include "ux/markup/UxXmlSkinHelper.h"

#include <gtest/gtest.h>

#include <fstream>

TEST(StartupTest, RegistersEveryScreenHiddenButTheFirstAndTheMenuBar)
{
    AppDriver driver(Offline());
    ASSERT_TRUE(driver.Start());
    EXPECT_EQ(driver.ShownScreens(), (std::vector<std::wstring> { L"Counter", L"MenuBar" }));
    std::vector<std::wstring> order;
    for (UxWindow* child = driver.App().GetFirstChild(); child; child = child->GetNextSibling())
        order.push_back(AppDriver::NameOf(child));
    EXPECT_EQ(order,
        (std::vector<std::wstring> { L"Counter", L"Connecting", L"Gate", L"Default", L"Disclosure", L"Chat",
            L"MenuBar", L"BuddyList", L"BuddyProfile", L"BuddyAdd", L"BuddySelect", L"BuddyRequestList",
            L"BuddyRequestInfo", L"GroupAdd", L"GroupSelect", L"ChatList", L"ChatInfo", L"MemoList",
            L"MemoRead", L"MemoWrite", L"OptionList", L"Option", L"OptionNick", L"OptionServiceInfo" }));
    // Pages lie between the status bar and the menu bar of the skin.
    EXPECT_EQ(
        Edges(driver.App().GetBuddyListPage().GetScreenRect()), (std::array<int32_t, 4> { 0, 56, 480, 584 }));
    EXPECT_EQ(
        Edges(driver.App().GetLoginCounter().GetScreenRect()), (std::array<int32_t, 4> { 0, 0, 480, 584 }));
}

// With one of each already made, every singleton the application creates is traced as
// a second instance: the traces give the creation order.
TEST(StartupTest, CreatesTheMessengerSingletonsInOrder)
{
    AppDriver driver(Offline());
    Me me;
    GroupList groups;
    BuddyList buddies;
    ChatSessionList chats;
    Options options;
    EmoticonList emoticons;
    PktTransactionIdIssuer issuer;
    PktFactory packets;
    PktHandlerFactory handlers;
    PktPendingList pending;
    TarvPeer peer;
    TarvPong pong;
    UxXmlSkinHelper skin;
    std::vector<std::wstring> order;
    {
        TraceCapture trace;
        ASSERT_TRUE(driver.Start());
        for (const std::wstring& line : trace.lines)
            if (size_t at = line.find(L"UxSingleton<class "); at != std::wstring::npos)
                order.push_back(line.substr(at + 18, line.find(L'>', at) - at - 18));
    }
    driver.Stop();
    EXPECT_EQ(order,
        (std::vector<std::wstring> { L"Me", L"GroupList", L"BuddyList", L"ChatSessionList", L"Options",
            L"EmoticonList", L"PktTransactionIdIssuer", L"PktFactory", L"PktHandlerFactory",
            L"PktPendingList", L"TarvPeer", L"TarvPong", L"UxXmlSkinHelper" }));
}

TEST(StartupTest, FirstScreenFollowsTheSavedLogin)
{
    const struct {
        const wchar_t* id;
        const wchar_t* password;
        const wchar_t* screen;
    } cases[] = {
        { L"", L"", L"Counter" },
        { L"minsu@quorix.net", L"", L"Counter" },
        { L"", L"minsu1234", L"Counter" },
        { L"minsu@quorix.net", L"minsu1234", L"Gate" },
    };
    for (const auto& c : cases) {
        AppDriver driver(Offline());
        driver.SetRegistryString(L"LoginBuddyId", c.id);
        if (*c.password)
            SaveLoginPassword(MakePasswordDigest(c.id, c.password));
        ASSERT_TRUE(driver.Start());
        EXPECT_EQ(driver.Screen(), c.screen) << c.id << " / " << c.password;
    }
}

TEST(StartupTest, EndsWithoutAWindowWhenTheSkinCannotBeRead)
{
    for (const std::string& skin : { std::string("<Skin></Skin>"), std::string() }) {
        AppDriver driver(Offline("placeholder"));
        if (skin.empty())
            std::filesystem::remove(driver.ProgramFolderNative() + "/Image/Skin.dat");
        else
            driver.State().Write("program/Image/Skin.dat", skin);
        EXPECT_FALSE(driver.Start());
        EXPECT_EQ(UxDeviceWindow::GetInstance(), nullptr);
        EXPECT_EQ(UxDesktop::GetInstance(), nullptr);
    }
}

TEST(StartupTest, RemovesTheLeftoversOfAnUpdate)
{
    AppDriver driver(Offline());
    const std::string folder = driver.DataFolderNative();
    std::filesystem::create_directories(folder);
    const char* names[] = { "/_Quorix.inf", "/_Quorix.cab", "/_Quorix.inf.part", "/_Quorix.cab.part" };
    for (const char* name : names)
        std::ofstream(folder + name) << "x";
    ASSERT_TRUE(driver.Start());
    for (const char* name : names)
        EXPECT_FALSE(std::filesystem::exists(folder + name)) << name;
    // Their absence is no error.
    EXPECT_TRUE(driver.Start());
}

TEST(StartupTest, ShutDownClosesThePopupSavesTheOptionsAndDeletesTheMessengerSingletons)
{
    std::vector<std::string> log;
    AppDriver driver(Offline());
    ASSERT_TRUE(driver.Start());
    EXPECT_NE(TarvPeer::GetInstance(), nullptr);
    EXPECT_EQ(MessengerScreens::GetCurrent(), &driver.App());
    auto* popup = new TestPopup("popup", &log);
    UxPopupInstance::GetInstance()->SetPopup(popup);
    driver.App().AddChild(popup);
    EXPECT_EQ(driver.RegistryDword(L"OptionsViewType", 99), 99u);
    EXPECT_TRUE(driver.CloseWindow());
    EXPECT_EQ(log, (std::vector<std::string> { "popup:close 0" }));
    EXPECT_EQ(driver.RegistryDword(L"OptionsViewType", 99), 3u);
    EXPECT_EQ(Options::GetInstance(), nullptr);
    EXPECT_EQ(Me::GetInstance(), nullptr);
    EXPECT_EQ(TarvPeer::GetInstance(), nullptr);
    EXPECT_EQ(UxXmlSkinHelper::GetInstance(), nullptr);
    EXPECT_EQ(MessengerScreens::GetCurrent(), nullptr);
}
