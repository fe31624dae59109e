// The widget gallery on the default skin, as a person sees it; the picture is saved under
// the build folder's screenshots/.
#include "app/shell/MenuAccount.h"
#include "app/shell/MenuEmoticon.h"
#include "app/shell/MenuSystem.h"
#include "tests/ux/widgets/WidgetFixture.h"
#include "tools/gallery/Gallery.h"
#include "ux/widgets/UxMessageBox.h"
#include "ux/widgets/UxProgressBar.h"

namespace {

class DefaultSkinGallery : public WidgetTest {
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        // The build copies the default skin beside every test program.
        gallery = std::make_unique<Gallery>(plat::NativePath(GetModuleDirectory()));
        built = gallery->Open(desktop);
        UxPumpFor(0);
    }
    void TearDown() override
    {
        gallery.reset();
        WidgetTest::TearDown();
    }
    std::unique_ptr<Gallery> gallery;
    bool built = false;
};

TEST_F(DefaultSkinGallery, EveryWidgetShowsInTheSkinsColours)
{
    ASSERT_TRUE(built);
    Shot("gallery-default-skin");
    const uint32_t accent = 0x2E7DF6, page = 0xF4F6F9;
    struct Probe {
        int x, y;
        uint32_t colour;
        const char* what;
    } probes[] = {
        { 240, 4, accent, "status bar" },
        { 2, 60, 0xFFFFFF, "unselected tab" },
        { 60, 118, accent, "selected tab's underline" },
        { 336, 184, accent, "primary button" },
        { 240, 140, page, "page between widgets" },
        { 240, 600, 0xFFFFFF, "menu bar" },
        { 227, 602, 0xEF4444, "unread chats" },
        { 275, 602, 0xEF4444, "unread memos" },
    };
    for (const Probe& p : probes)
        EXPECT_EQ(At(p.x, p.y), p.colour) << p.what;
    // The label of the primary button is white on the accent.
    int white = 0;
    for (int x = 300; x < 380; ++x)
        white += At(x, 184) == 0xFFFFFF;
    EXPECT_GT(white, 2);

    // Tapped widgets show their other picture.
    Tap(34, 242); // the check box
    Tap(420, 88); // the last tab
    EXPECT_EQ(At(25, 250), 0x2E7DF6u);
    EXPECT_EQ(At(420, 118), 0x2E7DF6u);
    EXPECT_NE(At(60, 118), 0x2E7DF6u);
    Shot("gallery-default-skin-tapped");
}

// The message boxes as the shortcuts and the update box show them.
TEST_F(DefaultSkinGallery, MessageBoxesInEveryShape)
{
    ASSERT_TRUE(built);
    struct Case {
        const wchar_t* section;
        uint32_t style;
        const wchar_t* title;
        const wchar_t* text;
        const char* shot;
        int buttonX; // a point on the accent button, from the box's left; 0 for none
    } cases[] = {
        { L"MsgBox", 25, L"", L"친구 아이디를 입력하세요.", "msgbox-alert", 60 },
        { L"MsgBox", 41, L"", L"대화방을 나가시겠습니까?", "msgbox-question", 360 },
        { L"MsgBox", 105, L"",
            L"새 버전이 준비되었습니다. 지금 설치하면 메신저가 잠시 닫혔다가 다시 열립니다. 대화 내용과 "
            L"쪽지는 "
            L"그대로 남습니다.",
            "msgbox-check", 360 },
        { L"NotifyBox", 27, L"서비스 점검 안내",
            L"오늘 밤 2시부터 4시까지 서버 점검이 있습니다. 점검 중에는 로그인할 수 없습니다.", "notifybox",
            60 },
        { L"UpgradeBox", 7, L"", L"", "upgradebox", 0 },
    };
    for (const Case& c : cases) {
        auto* box = new UxMessageBox;
        UxProgressBar bar;
        ASSERT_TRUE(box->ApplySkin(SelectSkinNode(c.section))) << c.shot;
        if (*c.title)
            box->TitleText.SetText(c.title);
        box->Text.SetText(c.text);
        box->CheckBoxText.SetText(L"다시 묻지 않기");
        if (UxXmlNode* node = FindSkinNode(L"ProgressBar")) {
            box->AddChild(&bar);
            ASSERT_TRUE(bar.ApplySkin(node));
            bar.Progress = 0.35f;
            bar.Update();
        }
        ASSERT_TRUE(box->Show(c.style, nullptr, 0)) << c.shot;
        UxPumpFor(0);
        Shot("default-skin-" + std::string(c.shot));
        plat::RECT r = box->GetScreenRect();
        // The alerts centre their icon; the notice and the update box put it beside the title.
        bool iconLeft = std::wstring(c.section) != L"MsgBox";
        EXPECT_EQ(At(r.left + 36, r.top + 48), iconLeft ? 0x2E7DF6u : 0xFFFFFFu) << c.shot;
        // The rounded corner is keyed out: the dimmed page shows, not the key colour.
        EXPECT_LT(Red(At(r.left, r.top)), 160) << c.shot;
        if (bar.GetParent()) {
            EXPECT_EQ(At(r.left + 24 + 60, r.top + 112 + 20), 0x2E7DF6u); // the bar, filled
            EXPECT_NE(At(r.left + 24 + 300, r.top + 112 + 20), 0x2E7DF6u); // and beyond the progress
        }
        if (c.buttonX) {
            EXPECT_EQ(At(r.left + c.buttonX, r.bottom - 40), 0x2E7DF6u) << c.shot;
        }
        if (bar.GetParent())
            box->RemoveChild(&bar);
        box->Close(0);
        UxPumpFor(0);
    }
}

TEST_F(DefaultSkinGallery, MenusInTheSharedFrame)
{
    ASSERT_TRUE(built);
    struct Case {
        AppMenu* (*make)();
        const char* shot;
    } cases[] = {
        { []() -> AppMenu* { return new MenuAccount; }, "menu-account" },
        { []() -> AppMenu* { return new MenuEmoticon; }, "menu-emoticon" },
        { []() -> AppMenu* { return new MenuSystem; }, "menu-system" },
    };
    for (const Case& c : cases) {
        AppMenu* menu = c.make();
        ASSERT_TRUE(menu->IsBuilt()) << c.shot;
        ASSERT_TRUE(menu->Popup(nullptr, 0));
        menu->GetList().SetSelection(1);
        UxPumpFor(0);
        Shot("default-skin-" + std::string(c.shot));
        plat::RECT r = menu->GetScreenRect();
        // The selected second row is tinted; the first is white.
        EXPECT_EQ(At(r.right - 30, r.top + 12 + 56 + 28), 0xE8F0FEu) << c.shot;
        EXPECT_EQ(At(r.right - 30, r.top + 12 + 28), 0xFFFFFFu) << c.shot;
        menu->Close(0);
        UxPumpFor(0);
    }
}

} // namespace
