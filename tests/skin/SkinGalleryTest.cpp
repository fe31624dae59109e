// The widget gallery on the default skin, as a person sees it; the picture is saved under
// the build folder's screenshots/.
#include "tests/ux/widgets/WidgetFixture.h"
#include "tools/gallery/Gallery.h"
#include "ux/widgets/UxListItemPainter.h"
#include "ux/widgets/UxMessageBox.h"
#include "ux/widgets/UxPopupMenu.h"
#include "ux/widgets/UxProgressBar.h"

namespace {

// A menu drawn the way the application's menus draw their rows, from the shared "Menu"
// frame and a menu section: fill, selection bar, text, icon, line.
class SkinMenu : public UxPopupMenu {
public:
    bool Build(const wchar_t* section, const std::vector<std::wstring>& texts)
    {
        if (!ApplySkin(SelectSkinNode(L"Menu")) || !SelectSkinNode(section))
            return false;
        UxXmlNode* node = GetCurrentSkinNode();
        if (!m_bar.ApplySkin(node->FindChild(L"SelectionBar")) || !m_line.ApplySkin(node->FindChild(L"Line"))
            || !m_text.ApplySkin(node->FindChild(L"Text")))
            return false;
        m_back = GetSkinColor(L"_BackColor");
        m_colour = GetSkinColor(L"Text", L"TextColor");
        m_selectedColour = GetSkinColor(L"Text", L"TextColorSelected");
        m_barRect = GetSkinRect(L"SelectionBar", L"_Rect");
        m_lineRect = GetSkinRect(L"Line", L"_Rect");
        m_textRect = GetSkinRect(L"Text", L"_Rect");
        m_iconRect = GetSkinRect(L"Icon", L"_Rect");
        if (UxXmlNode* icons = SelectSkinNode(L"_EmoticonList", L"RGBA"); icons && m_iconRect.right > 0) {
            for (size_t i = 0; i < icons->GetChildCount(); ++i) {
                m_icons.push_back(std::make_unique<UxImageItem>());
                m_icons.back()->ApplySkin(icons->GetChild(i));
            }
        }
        m_texts = texts;
        int32_t height = UxXmlNode::GetInt(node->FindChild(L"_TableViewItemHeight"));
        for (size_t i = 0; i < texts.size(); ++i) {
            UxListRow row;
            row.kind = UxListRow::Item;
            row.fullHeight = row.shownHeight = height;
            GetList().AddRow(row);
        }
        GetList().StopAnimation();
        return height > 0;
    }
    bool PaintListBackground(UxDeviceContext* surface, const plat::RECT& rect) override
    {
        surface->FillRect(m_back, rect);
        return true;
    }
    bool DrawRow(
        UxDeviceContext* surface, int32_t index, const plat::RECT& clip, const plat::RECT& rowClip) override
    {
        plat::RECT row { clip.left - rowClip.left, clip.top - rowClip.top, 0, 0 };
        row.right = row.left + GetList().GetWidth();
        row.bottom = row.top + GetList().GetRow(index).shownHeight;
        UxListItemPainter painter(&GetList(), surface, index, rowClip, row);
        UxTextStyle style = m_text.GetStyle();
        bool selected = index == GetList().GetSelection();
        surface->FillRect(m_back, clip);
        style.TextColor = selected ? m_selectedColour : m_colour;
        style.BackMode = selected ? 1 : 0;
        m_text.SetStyle(style);
        if (selected)
            painter.DrawImage(m_bar, m_barRect);
        m_text.SetText(m_texts[size_t(index)]);
        painter.DrawText(m_text, m_textRect);
        if (size_t(index) < m_icons.size())
            painter.DrawImage(*m_icons[size_t(index)], m_iconRect);
        painter.DrawImage(m_line, m_lineRect);
        return true;
    }

private:
    UxImageItem m_bar, m_line;
    UxTextItem m_text;
    std::vector<std::unique_ptr<UxImageItem>> m_icons;
    std::vector<std::wstring> m_texts;
    plat::COLORREF m_back = 0, m_colour = 0, m_selectedColour = 0;
    plat::RECT m_barRect {}, m_lineRect {}, m_textRect {}, m_iconRect {};
};

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
}

TEST_F(DefaultSkinGallery, TappedWidgetsShowTheirOtherPicture)
{
    ASSERT_TRUE(built);
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
    std::vector<std::wstring> domains, codes;
    for (UxXmlNode* items = SelectSkinNode(L"MenuAccount", L"Items");
         size_t i : { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12 })
        domains.push_back(items->GetChild(i)->GetText());
    UxXmlNode* list = SelectSkinNode(L"_EmoticonList", L"RGBA");
    for (size_t i = 0; i < list->GetChildCount(); ++i)
        codes.push_back(list->GetChild(i)->FindChild(L"Text")->GetText());
    struct Case {
        const wchar_t* section;
        std::vector<std::wstring> rows;
        const char* shot;
    } cases[] = {
        { L"MenuAccount", domains, "menu-account" },
        { L"MenuEmoticon", codes, "menu-emoticon" },
        { L"MenuSystem", { L"그룹 추가", L"친구 추가", L"친구 요청함", L"로그아웃" }, "menu-system" },
    };
    for (const Case& c : cases) {
        auto* menu = new SkinMenu;
        ASSERT_TRUE(menu->Build(c.section, c.rows)) << c.shot;
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
