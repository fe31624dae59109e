#include "platform/display/VirtualKeys.h"
#include "tests/ux/widgets/WidgetFixture.h"
#include "ux/core/UxPopupInstance.h"
#include "ux/widgets/UxMessageBox.h"
#include "ux/widgets/UxPopupMenu.h"

namespace {

struct Closing {
    int32_t result;
    int32_t selection; // menus
    bool checked; // message boxes
};

void Record(uintptr_t context, UxPopup* popup, int32_t result)
{
    Closing c { result, -1, false };
    if (auto* menu = dynamic_cast<UxPopupMenu*>(popup))
        c.selection = menu->GetList().GetSelection();
    if (auto* box = dynamic_cast<UxMessageBox*>(popup))
        c.checked = box->CheckBox.IsChecked();
    reinterpret_cast<std::vector<Closing>*>(context)->push_back(c);
}

class PopupMenuTest : public WidgetTest {
protected:
    void TearDown() override
    {
        if (auto* open = dynamic_cast<UxPopup*>(UxPopupInstance::GetInstance()->GetPopup()))
            open->Close(0);
        WidgetTest::TearDown();
    }
    // A 200 x 240 menu centred at (140, 200): its list starts at (150, 210), rows of 40.
    UxPopupMenu* OpenMenu(const std::vector<int32_t>& kinds)
    {
        auto* menu = new UxPopupMenu;
        EXPECT_TRUE(menu->ApplySkin(Node(L"<_Size>200, 240</_Size>")));
        for (int32_t kind : kinds) {
            UxListRow row;
            row.kind = kind;
            row.fullHeight = row.shownHeight = 40;
            menu->GetList().AddRow(row);
        }
        menu->GetList().StopAnimation();
        EXPECT_TRUE(menu->Popup(Record, reinterpret_cast<uintptr_t>(&closed)));
        UxPumpFor(0);
        return menu;
    }
    void TapAndWait(int x, int y)
    {
        Tap(x, y);
        UxPumpFor(200);
    }
    std::vector<Closing> closed;
};

TEST_F(PopupMenuTest, ATappedItemClosesTheMenuWithItsRowSelected)
{
    UxPopupMenu* menu = OpenMenu({ UxListRow::Header, UxListRow::Item, UxListRow::Item, UxListRow::Item });
    EXPECT_FALSE(RectsDiffer(menu->GetList().GetRect(), { 10, 10, 190, 230 }));
    EXPECT_EQ(UxPopupInstance::GetInstance()->GetMenuList(), &menu->GetList());
    Shot("popup-menu");
    TapAndWait(240, 320); // the third row
    ASSERT_EQ(closed.size(), 1u);
    EXPECT_EQ(closed[0].result, 1);
    EXPECT_EQ(closed[0].selection, 2);
    EXPECT_EQ(UxPopupInstance::GetInstance()->GetMenuList(), nullptr);
}

TEST_F(PopupMenuTest, AHeaderFoldsItsGroupAndATapOutsideClosesWithNothing)
{
    UxPopupMenu* menu = OpenMenu({ UxListRow::Header, UxListRow::Item, UxListRow::Item });
    TapAndWait(240, 230); // the header
    EXPECT_TRUE(closed.empty());
    EXPECT_FALSE(menu->GetList().GetRow(0).expanded);
    TapAndWait(20, 20);
    ASSERT_EQ(closed.size(), 1u);
    EXPECT_EQ(closed[0].result, 0);
}

// Icon, title, line, text, check box and the three buttons, 300 x 240 centred at (90, 200).
const wchar_t* kBox = LR"(<_Size>300, 240</_Size>
    <MSkin><File>popup_middle.png</File></MSkin>
    <Icon><_Rect>10, 10, 32, 32</_Rect><File>icon_info.png</File></Icon>
    <TitleText><_Rect>50, 10, 240, 32</_Rect><Text>Title</Text></TitleText>
    <Line><_Rect>10, 46, 280, 2</_Rect><File>line.png</File></Line>
    <Text><_Rect>10, 50, 280, 100</_Rect><_RectForCheckBox>10, 50, 280, 70</_RectForCheckBox><FontSize>16</FontSize></Text>
    <CheckBox><_Rect>10, 130, 24, 24</_Rect></CheckBox>
    <CheckBoxText><_Rect>40, 130, 240, 24</_Rect></CheckBoxText>
    <OkButton><_Rect>100, 180, 100, 40</_Rect></OkButton>
    <YesButton><_Rect>40, 180, 100, 40</_Rect></YesButton>
    <NoButton><_Rect>160, 180, 100, 40</_Rect></NoButton>)";

using MessageBoxTest = PopupMenuTest;

TEST_F(MessageBoxTest, EachStyleShowsItsPartsAndItsButtonsGiveTheirResults)
{
    struct Case {
        uint32_t style;
        std::vector<bool> shown; // icon, title, line, text, ok, yes, no, check box
        int tapX;
        int32_t result;
        int32_t textHeight;
        bool check; // tapped before the button, and its state reaches the callback
    } cases[] = {
        { 25, { true, false, false, true, true, false, false, false }, 240, 1, 100, false }, // Ok
        { 41, { true, false, false, true, false, true, true, false }, 240, -1, 100, false }, // the hidden Ok
        { 41, { true, false, false, true, false, true, true, false }, 180, 2, 100, false }, // Yes
        { 105, { true, false, false, true, false, true, true, true }, 300, 3, 70, false }, // No
        { 105, { true, false, false, true, false, true, true, true }, 180, 2, 70, true }, // Yes, checked
        { 27, { true, true, false, true, true, false, false, false }, 240, 1, 100, false },
    };
    for (const Case& c : cases) {
        closed.clear();
        auto* box = new UxMessageBox;
        ASSERT_TRUE(box->ApplySkin(Node(kBox)));
        ASSERT_TRUE(box->Show(c.style, Record, reinterpret_cast<uintptr_t>(&closed)));
        std::vector<bool> shown;
        for (UxWindow* part : std::initializer_list<UxWindow*> { &box->Icon, &box->TitleText, &box->Line, &box->Text,
                 &box->OkButton, &box->YesButton, &box->NoButton, &box->CheckBox })
            shown.push_back(part->IsVisible());
        EXPECT_EQ(shown, c.shown) << c.style;
        EXPECT_EQ(box->Text.GetHeight(), c.textHeight) << c.style;
        if (c.check)
            TapAndWait(100, 342);
        TapAndWait(c.tapX, 400); // the button row
        TapAndWait(20, 20); // outside: never closes a message box
        if (c.result < 0) {
            EXPECT_TRUE(closed.empty()) << c.style;
            box->Close(0);
        } else {
            ASSERT_EQ(closed.size(), 1u) << c.style;
            EXPECT_EQ(closed[0].result, c.result) << c.style;
            EXPECT_EQ(closed[0].checked, c.check) << c.style;
        }
        EXPECT_EQ(UxPopupInstance::GetInstance()->GetMenuList(), nullptr) << c.style;
        UxPumpFor(0);
    }
}

TEST_F(MessageBoxTest, EscapeAnswersNoOrTheOnlyButtonAndEnterTheDefaultOne)
{
    struct Case {
        uint32_t style;
        uint32_t key;
        int32_t result; // -1: the box stays
    } cases[] = {
        { 41, plat::VK_ESCAPE, 3 }, // Yes and No: No
        { 41, plat::VK_RETURN, 2 }, // ... and Yes
        { 25, plat::VK_ESCAPE, 1 }, // Ok alone
        { 25, plat::VK_RETURN, 1 },
        { 7, plat::VK_ESCAPE, -1 }, // no button: nothing closes it
        { 7, plat::VK_RETURN, -1 },
    };
    for (const Case& c : cases) {
        closed.clear();
        auto* box = new UxMessageBox;
        ASSERT_TRUE(box->ApplySkin(Node(kBox)));
        ASSERT_TRUE(box->Show(c.style, Record, reinterpret_cast<uintptr_t>(&closed)));
        box->Text.SetFocus(true); // a click on the text leaves the keys to the box all the same
        Input().Key(true, c.key);
        Input().Key(false, c.key);
        UxPumpFor(0);
        if (c.result < 0) {
            EXPECT_TRUE(closed.empty()) << c.style;
            box->Close(0);
        } else {
            ASSERT_EQ(closed.size(), 1u) << c.style << " " << c.key;
            EXPECT_EQ(closed[0].result, c.result) << c.style << " " << c.key;
        }
        UxPumpFor(0);
    }
    // A menu closes with nothing chosen.
    OpenMenu({ UxListRow::Item, UxListRow::Item });
    closed.clear();
    Input().Key(true, plat::VK_ESCAPE);
    Input().Key(false, plat::VK_ESCAPE);
    UxPumpFor(0);
    ASSERT_EQ(closed.size(), 1u);
    EXPECT_EQ(closed[0].result, 0);
}

TEST_F(MessageBoxTest, ALongTextScrollsInsideTheBox)
{
    auto* box = new UxMessageBox;
    ASSERT_TRUE(box->ApplySkin(Node(kBox)));
    std::wstring text;
    for (int i = 1; i <= 30; ++i)
        text += L"Line " + std::to_wstring(i) + L"\n";
    box->Text.SetText(text);
    ASSERT_TRUE(box->Show(25, Record, reinterpret_cast<uintptr_t>(&closed)));
    UxScrollAxis& y = box->Text.GetYAxis();
    EXPECT_GT(y.GetContentPixels(), y.GetViewSize());
    Input().PointerDown(240, 330);
    for (int step = 1; step <= 6; ++step) {
        Input().PointerMove(240, 330 - 10 * step);
        UxPumpFor(16);
    }
    Input().PointerUp(240, 270);
    UxPumpFor(3000);
    EXPECT_LT(y.GetOffset(), 0); // moved up, and stays inside the text
    EXPECT_GE(y.GetOffset(), y.GetViewSize() - y.GetContentPixels());
    EXPECT_TRUE(closed.empty());
}

TEST_F(MessageBoxTest, ABoxWhoseSkinFailsIsFreedAndNotShown)
{
    for (const wchar_t* skin : { L"<OkButton><DefaultImage><File>missing.png</File></DefaultImage></OkButton>", L"" }) {
        auto* box = new UxMessageBox;
        EXPECT_FALSE(box->ApplySkin(*skin ? Node(skin) : nullptr));
        EXPECT_FALSE(box->Show(25, Record, reinterpret_cast<uintptr_t>(&closed))); // and freed: no leak
        EXPECT_EQ(UxPopupInstance::GetInstance()->GetPopup(), nullptr);
        EXPECT_EQ(UxPopupInstance::GetInstance()->GetMenuList(), nullptr);
    }
    EXPECT_TRUE(closed.empty());
}

} // namespace
