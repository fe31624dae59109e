// The menu bar's system menu, the application's popup menus and the message boxes.
#include "app/shell/MenuAccount.h"
#include "app/shell/MenuCopy.h"
#include "app/shell/MenuEmoticon.h"
#include "app/shell/MenuMemoBox.h"
#include "app/shell/MenuSystem.h"
#include "app/shell/MessageBoxes.h"
#include "tests/app/shell/OfflineApp.h"
#include "tests/support/FrameCheck.h"
#include "ux/markup/UxXmlSkinHelper.h"
#include "ux/widgets/UxMessageBox.h"

#include <gtest/gtest.h>

namespace {

class MenusTest : public OfflineAppTest {
public:
    template <typename T> T* Open() { return dynamic_cast<T*>(driver.Popup()); }

    // Every popup's close callback reports here.
    static void Record(uintptr_t context, UxPopup* popup, int32_t result)
    {
        auto* self = reinterpret_cast<MenusTest*>(context);
        self->results.push_back(result);
        if (auto* box = dynamic_cast<UxMessageBox*>(popup))
            self->checked.push_back(box->CheckBox.IsChecked());
        if (auto* menu = dynamic_cast<MenuAccount*>(popup))
            self->domain = menu->GetSelectedText();
    }
    uintptr_t Context() { return reinterpret_cast<uintptr_t>(this); }

    std::vector<int32_t> results;
    std::vector<bool> checked;
    std::wstring domain;
};

} // namespace

TEST_F(MenusTest, SystemMenuRowsOpenTheirPages)
{
    ASSERT_TRUE(driver.Tap(L"MenuBar/SystemMenuButton"));
    auto* menu = Open<MenuSystem>();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->GetSelection(), MenuSystem::None);
    EXPECT_EQ(driver.PopupText(), L"그룹 추가\n친구 추가\n친구 요청함\n로그아웃");
    driver.Screenshot("system-menu");
    // A tap outside closes it and does nothing.
    driver.Tap(240, 20);
    EXPECT_EQ(driver.Popup(), nullptr);
    EXPECT_EQ(driver.Depth(), 1u);

    const std::pair<int32_t, const wchar_t*> rows[] = { { MenuSystem::AddGroup, L"GroupAdd" },
        { MenuSystem::AddBuddy, L"BuddyAdd" }, { MenuSystem::BuddyRequests, L"BuddyRequestList" } };
    for (const auto& [row, page] : rows) {
        ASSERT_TRUE(driver.Tap(L"MenuBar/SystemMenuButton"));
        ASSERT_NE(Open<MenuSystem>(), nullptr);
        ASSERT_TRUE(driver.TapRow(&Open<MenuSystem>()->GetList(), row));
        EXPECT_EQ(driver.Popup(), nullptr);
        driver.Settle();
        EXPECT_EQ(driver.Screen(), page);
        ASSERT_TRUE(driver.Back());
    }
}

TEST_F(MenusTest, MenusListTheirRowsAndReportTheChoice)
{
    // The account and system menus' rows are read in the sign-in and system-menu tests.
    auto* memos = new MenuMemoBox;
    EXPECT_TRUE(memos->IsBuilt());
    EXPECT_EQ(memos->GetRowCount(), 2);
    EXPECT_EQ(memos->GetRowText(1), L"보낸 쪽지함");
    EXPECT_EQ(memos->GetSelection(), MenuMemoBox::None);
    delete memos;
    EXPECT_EQ(MenuAccount::GetItemText(0), L"quorix.net");
    for (int32_t index : { -1, 12, 40 })
        EXPECT_EQ(MenuAccount::GetItemText(index), L"직접 입력");

    UxXmlNode* icons = SelectSkinNode(L"_EmoticonList", L"RGBA");
    ASSERT_NE(icons, nullptr);
    auto* emoticons = new MenuEmoticon;
    EXPECT_EQ(emoticons->GetRowCount(), int32_t(icons->GetChildCount()));
    EXPECT_EQ(emoticons->GetRowText(0), UxXmlNode::GetText(icons->GetChild(0)->FindChild(L"Text")));
    // Painted once on screen, then closed.
    emoticons->Popup(nullptr, 0);
    driver.Flush();
    emoticons->Close(0);
    driver.Flush();

    auto* account = new MenuAccount;
    account->Popup(&Record, Context());
    driver.Flush();
    ASSERT_TRUE(driver.TapRow(&account->GetList(), 3));
    EXPECT_EQ(results, (std::vector<int32_t> { 1 }));
    EXPECT_EQ(domain, L"sorimail.kr");
}

TEST_F(MenusTest, AScrolledMenuShowsWhatAFullRepaintShows)
{
    auto* menu = new MenuAccount;
    menu->Popup(nullptr, 0);
    driver.Settle();
    UxListWindow& list = menu->GetList();
    ASSERT_GT(list.GetYAxis().GetContentPixels(), list.GetYAxis().GetViewSize());
    const plat::RECT shown = list.GetScreenRect();
    // Scrolled down and back by drags of odd lengths, each left to come to rest and its
    // indicator to fade: each step is drawn from the strips it uncovers.
    const int x = (shown.left + shown.right) / 2, h = shown.bottom - shown.top;
    for (const auto& [from, to] : { std::pair { 80, 43 }, std::pair { 30, 61 }, std::pair { 55, 78 } }) {
        driver.Drag(x, shown.top + h * from / 100, x, shown.top + h * to / 100, 7, 30);
        driver.Advance(4000);
        driver.Screenshot("scrolled-" + std::to_string(from));
        EXPECT_EQ(DifferenceFromFullRepaint(driver.App(), [&] { driver.Flush(); }), "")
            << "after the drag from " << from << " to " << to;
    }
    menu->Close(0);
}

TEST_F(MenusTest, MessageBoxesShowTheirPartsAndAnswer)
{
    ASSERT_TRUE(ShowMsgBox(L"친구 아이디를 입력하세요."));
    ASSERT_NE(Open<UxMessageBox>(), nullptr);
    EXPECT_EQ(driver.PopupText(), L"친구 아이디를 입력하세요.");
    EXPECT_TRUE(driver.IsShown(L"MsgBox/OkButton"));
    EXPECT_FALSE(driver.IsShown(L"MsgBox/YesButton"));
    ASSERT_TRUE(driver.Click(L"MsgBox/OkButton"));
    EXPECT_EQ(driver.Popup(), nullptr);

    ASSERT_TRUE(ShowConfirmBox(L"지금 바로 확인하시겠습니까?", &Record, Context()));
    EXPECT_FALSE(driver.IsShown(L"MsgBox/OkButton"));
    EXPECT_FALSE(driver.IsShown(L"MsgBox/CheckBox"));
    driver.Click(L"MsgBox/NoButton");
    ASSERT_TRUE(ShowConfirmCheckBox(
        L"무선 데이터 요금이 부과될 수 있습니다.", L"다시 묻지 않기", &Record, Context()));
    EXPECT_EQ(driver.Text(L"MsgBox/CheckBoxText"), L"다시 묻지 않기");
    driver.Tap(L"MsgBox/CheckBox");
    driver.Click(L"MsgBox/YesButton");
    // A newer box closes the open question with 0.
    ASSERT_TRUE(ShowConfirmBox(L"?", &Record, Context()));
    ASSERT_TRUE(ShowNotifyBox(L"공지", L"서비스 점검 안내"));
    EXPECT_EQ(driver.Text(L"NotifyBox/TitleText"), L"공지");
    driver.Screenshot("notice");
    EXPECT_EQ(results, (std::vector<int32_t> { 3, 2, 0 }));
    EXPECT_EQ(checked, (std::vector<bool> { false, true, false }));

    // A skin without the section shows nothing.
    driver.Click(L"NotifyBox/OkButton");
    SelectSkinNode(L"NotifyBox")->SetElement(L"Gone");
    EXPECT_FALSE(ShowNotifyBox(L"공지", L"..."));
    EXPECT_EQ(driver.Popup(), nullptr);
}

// A menu's lines separate its rows: none follows the last, so the one-row "복사" menu
// has none at all.
TEST_F(MenusTest, LinesSeparateTheRowsAndNoneFollowsTheLast)
{
    const auto lined = [&](AppMenu& menu, int32_t row) {
        UxListWindow& list = menu.GetList();
        const plat::RECT r = list.ClientToScreen(list.GetRowRect(row));
        return driver.Pixel(r.left + 100, r.bottom - 1) != 0xFFFFFF;
    };
    ASSERT_TRUE(driver.Tap(L"MenuBar/SystemMenuButton"));
    auto* menu = Open<MenuSystem>();
    ASSERT_NE(menu, nullptr);
    driver.Settle();
    EXPECT_TRUE(lined(*menu, 0));
    EXPECT_TRUE(lined(*menu, 2));
    EXPECT_FALSE(lined(*menu, 3));
    menu->Close(0);
    driver.Flush();

    ASSERT_TRUE(MenuCopy::Open(L"안녕", { 0, 200, 480, 240 }));
    auto* copy = Open<MenuCopy>();
    ASSERT_NE(copy, nullptr);
    driver.Settle();
    driver.Screenshot("copy-menu");
    EXPECT_FALSE(lined(*copy, 0));
    copy->Close(0);
}
