// The menu bar's system menu, the application's popup menus and the message boxes.
#include "app/shell/MenuAccount.h"
#include "app/shell/MenuEmoticon.h"
#include "app/shell/MenuMemoBox.h"
#include "app/shell/MenuSystem.h"
#include "app/shell/MessageBoxes.h"
#include "tests/support/AppDriver.h"
#include "ux/markup/UxXmlSkinHelper.h"
#include "ux/widgets/UxMessageBox.h"

#include <gtest/gtest.h>

namespace {

class MenusTest : public ::testing::Test {
public:
    void SetUp() override
    {
        ASSERT_TRUE(driver.Start());
        App().ShowBuddyList();
        driver.Settle();
    }

    MessengerApp& App() { return driver.App(); }
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

    AppDriver driver { [] {
        AppDriver::Setup setup;
        setup.service = false;
        return setup;
    }() };
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

    const struct {
        int32_t row;
        const wchar_t* text;
        const wchar_t* page;
    } rows[] = {
        { MenuSystem::AddGroup, L"그룹 추가", L"GroupAdd" },
        { MenuSystem::AddBuddy, L"친구 추가", L"BuddyAdd" },
        { MenuSystem::BuddyRequests, L"친구 요청함", L"BuddyRequestList" },
    };
    for (const auto& r : rows) {
        ASSERT_TRUE(driver.Tap(L"MenuBar/SystemMenuButton"));
        ASSERT_NE(Open<MenuSystem>(), nullptr);
        EXPECT_EQ(Open<MenuSystem>()->GetRowText(r.row), r.text);
        ASSERT_TRUE(driver.TapRow(&Open<MenuSystem>()->GetList(), r.row));
        EXPECT_EQ(driver.Popup(), nullptr);
        driver.Settle();
        EXPECT_EQ(driver.Screen(), r.page);
        EXPECT_EQ(driver.StatusBar(), &App().GetStatusBarDisclosure());
        ASSERT_TRUE(driver.Tap(L"Disclosure/BackButton"));
        driver.Settle();
    }
}

TEST_F(MenusTest, MenusListTheirRowsAndReportTheChoice)
{
    const struct {
        AppMenu* menu;
        int32_t rows;
        const wchar_t* first;
        const wchar_t* last;
        int32_t none;
    } menus[] = {
        { new MenuAccount, 13, L"quorix.net", L"직접 입력", MenuAccount::kFreeEntry },
        { new MenuMemoBox, 2, L"받은 쪽지함", L"보낸 쪽지함", MenuMemoBox::None },
        { new MenuSystem, 4, L"그룹 추가", L"로그아웃", MenuSystem::None },
    };
    for (const auto& m : menus) {
        EXPECT_TRUE(m.menu->IsBuilt());
        EXPECT_EQ(m.menu->GetRowCount(), m.rows);
        EXPECT_EQ(m.menu->GetRowText(0), m.first);
        EXPECT_EQ(m.menu->GetRowText(m.rows - 1), m.last);
        EXPECT_EQ(m.menu->GetSelection(m.none), m.none);
        delete m.menu;
    }
    for (int32_t index : { -1, 12, 40 })
        EXPECT_EQ(MenuAccount::GetItemText(index), L"직접 입력");

    UxXmlNode* icons = SelectSkinNode(L"_EmoticonList", L"RGBA");
    ASSERT_NE(icons, nullptr);
    auto* emoticons = new MenuEmoticon;
    EXPECT_EQ(emoticons->GetRowCount(), int32_t(icons->GetChildCount()));
    EXPECT_EQ(emoticons->GetRowText(0), UxXmlNode::GetText(icons->GetChild(0)->FindChild(L"Text")));
    emoticons->Popup(nullptr, 0);
    driver.Flush();
    driver.Screenshot("emoticons");
    emoticons->Close(0);
    driver.Flush();

    auto* account = new MenuAccount;
    account->Popup(&Record, Context());
    driver.Flush();
    ASSERT_TRUE(driver.TapRow(&account->GetList(), 3));
    EXPECT_EQ(results, (std::vector<int32_t> { 1 }));
    EXPECT_EQ(domain, L"sorimail.kr");
}

TEST_F(MenusTest, MessageBoxesShowTheirPartsAndAnswer)
{
    ASSERT_TRUE(ShowMsgBox(L"친구 아이디를 입력하세요."));
    ASSERT_NE(Open<UxMessageBox>(), nullptr);
    EXPECT_EQ(driver.PopupText(), L"친구 아이디를 입력하세요.");
    EXPECT_TRUE(driver.IsShown(L"MsgBox/OkButton"));
    EXPECT_FALSE(driver.IsShown(L"MsgBox/YesButton"));
    driver.Screenshot("alert");
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
    driver.Screenshot("question-with-check-box");
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
