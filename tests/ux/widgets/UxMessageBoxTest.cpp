#include "platform/display/VirtualKeys.h"
#include "tests/ux/widgets/WidgetFixture.h"
#include "ux/core/UxPopupInstance.h"
#include "ux/widgets/UxMessageBox.h"
#include "ux/widgets/UxPopupMenu.h"

#include <algorithm>
#include <functional>

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

class MessageBoxTest : public PopupMenuTest {
protected:
    // A box from the test skin, shown with the style; its answers go to closed.
    UxMessageBox* ShowBox(uint32_t style)
    {
        auto* box = new UxMessageBox;
        EXPECT_TRUE(box->ApplySkin(Node(kBox)));
        EXPECT_TRUE(box->Show(style, Record, reinterpret_cast<uintptr_t>(&closed)));
        return box;
    }
    void Key(uint32_t key)
    {
        Input().Key(true, key);
        Input().Key(false, key);
        UxPumpFor(0);
    }
    void Typed(const std::wstring& text)
    {
        Input().Text(text);
        UxPumpFor(0);
    }
};

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
        UxPumpFor(uint64_t(UxPopup::kTypingWait * 1000)); // shown right after the last case's key, it waits a moment
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
    UxPumpFor(uint64_t(UxPopup::kTypingWait * 1000));
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

// What is typed into a box goes on there after any popup: a box answered by a key or a
// tap, a menu closed by Escape, a newer popup in its place. A box that needs the caret
// while the popup is open has it once the popup is gone; one that went meanwhile does not.
TEST_F(MessageBoxTest, TheBoxThatHadTheCaretHasItAgainAfterThePopup)
{
    const wchar_t* kEdit = L"<_Rect>20, 20, 200, 40</_Rect><FontSize>16</FontSize><Styles>SingleLine</Styles>";
    auto* first = Add<UxEdit>(kEdit);
    auto* second = Add<UxEdit>(L"<_Rect>20, 580, 200, 40</_Rect><FontSize>16</FontSize><Styles>SingleLine</Styles>");
    Tap(60, 40);
    Typed(L"a");
    UxPumpFor(1000);
    UxMessageBox* box = ShowBox(25);
    EXPECT_TRUE(box->Contains(UxWindow::FocusedWindow));
    Typed(L"x"); // the box's, not the edit's
    Key(plat::VK_RETURN);
    ASSERT_EQ(closed.size(), 1u);
    Typed(L"b");
    EXPECT_EQ(first->GetText(), L"ab");

    UxPumpFor(1000);
    ShowBox(25);
    TapAndWait(240, 400); // its Ok button
    ASSERT_EQ(closed.size(), 2u);
    Typed(L"c");
    EXPECT_EQ(first->GetText(), L"abc");

    UxPumpFor(1000);
    OpenMenu({ UxListRow::Item });
    ShowBox(25); // in the menu's place: the caret is still owed to the edit
    EXPECT_EQ(closed.size(), 3u);
    second->SetFocus(true); // asked for while the box is open
    EXPECT_FALSE(second->IsFocused());
    Key(plat::VK_ESCAPE);
    ASSERT_EQ(closed.size(), 4u);
    Typed(L"d");
    EXPECT_EQ(first->GetText(), L"abc");
    EXPECT_EQ(second->GetText(), L"d");

    // The box behind it went while the menu was open: nothing has the caret after it.
    UxPumpFor(1000);
    OpenMenu({ UxListRow::Item });
    parent.RemoveChild(second);
    owned.erase(std::find(owned.begin(), owned.end(), second));
    delete second;
    Key(plat::VK_ESCAPE);
    EXPECT_EQ(closed.size(), 5u);
    EXPECT_EQ(UxWindow::FocusedWindow, nullptr);
}

// A box that opens unasked less than a second after a key typed elsewhere leaves Enter,
// Escape and the other keys where they were going until a second has passed or it is
// pressed; one opened by the key itself answers at once.
TEST_F(MessageBoxTest, ABoxArrivingWhileTheUserTypesWaitsASecondBeforeItTakesKeys)
{
    struct Edit : UxEdit {
        bool OnKeyDown(uintptr_t key, intptr_t data) override
        {
            keys.push_back(uint32_t(key));
            return UxEdit::OnKeyDown(key, data);
        }
        std::vector<uint32_t> keys;
    };
    auto* edit = Add<Edit>(L"<_Rect>20, 20, 200, 40</_Rect><FontSize>16</FontSize><Styles>SingleLine</Styles>");
    auto arrives = [&] { return ShowBox(41); };
    Tap(60, 40);
    Input().Text(L"hi");
    UxPumpFor(200);
    UxMessageBox* box = arrives();
    EXPECT_TRUE(box->IsWaiting());
    EXPECT_TRUE(edit->IsFocused());
    Key(plat::VK_RETURN);
    Key(plat::VK_ESCAPE);
    Input().Text(L"!");
    UxPumpFor(0);
    EXPECT_TRUE(closed.empty());
    EXPECT_EQ(edit->keys, (std::vector<uint32_t> { plat::VK_RETURN, plat::VK_ESCAPE }));
    EXPECT_EQ(edit->GetText(), L"hi!");
    UxPumpFor(1000);
    EXPECT_FALSE(box->IsWaiting());
    EXPECT_FALSE(edit->IsFocused());
    Key(plat::VK_RETURN);
    ASSERT_EQ(closed.size(), 1u);
    EXPECT_EQ(closed[0].result, UxMessageBox::ResultYes);
    EXPECT_TRUE(edit->IsFocused());
    // The Enter that answered it typed nothing: the next box takes the keys at once.
    EXPECT_FALSE(arrives()->IsWaiting());
    Key(plat::VK_ESCAPE);
    ASSERT_EQ(closed.size(), 2u);

    // Pressed, it takes the keys at once.
    Input().Text(L"?");
    UxPumpFor(200);
    box = arrives();
    Tap(20, 620); // outside it: the box stays
    EXPECT_FALSE(box->IsWaiting());
    Key(plat::VK_ESCAPE);
    ASSERT_EQ(closed.size(), 3u);
    EXPECT_EQ(closed[2].result, UxMessageBox::ResultNo);

    // Opened by the key itself, it is the answer to that key and takes the next one.
    struct Asking : UxWindow {
        bool OnKeyDown(uintptr_t, intptr_t) override
        {
            box = asks();
            return true;
        }
        std::function<UxMessageBox*()> asks;
        UxMessageBox* box = nullptr;
    } asking;
    asking.asks = arrives;
    parent.AddChild(&asking);
    asking.SetFocus(true);
    Key('Q');
    ASSERT_NE(asking.box, nullptr);
    EXPECT_FALSE(asking.box->IsWaiting());
    Key(plat::VK_RETURN);
    EXPECT_EQ(closed.size(), 4u);
    parent.RemoveChild(&asking);
}

// Tab typed while such a box waits goes on among the boxes behind it, as Enter and
// Escape do, though the box has a check box Tab could reach: once the box has closed,
// the keys go on in the box Tab went to.
TEST_F(MessageBoxTest, TabDuringTheWaitMovesAmongTheBoxesBehindIt)
{
    auto* first = Add<UxEdit>(L"<_Rect>20, 20, 200, 40</_Rect><FontSize>16</FontSize><Styles>SingleLine</Styles>");
    auto* second = Add<UxEdit>(L"<_Rect>20, 580, 200, 40</_Rect><FontSize>16</FontSize><Styles>SingleLine</Styles>");
    Tap(60, 40);
    Typed(L"a");
    UxPumpFor(200);
    UxMessageBox* box = ShowBox(41 | 64);
    ASSERT_TRUE(box->IsWaiting());
    Key(plat::VK_TAB);
    EXPECT_TRUE(second->IsFocused());
    Typed(L"b");
    UxPumpFor(1000);
    EXPECT_TRUE(box->Contains(UxWindow::FocusedWindow));
    Key(plat::VK_ESCAPE);
    ASSERT_EQ(closed.size(), 1u);
    Typed(L"c");
    EXPECT_EQ(first->GetText(), L"a");
    EXPECT_EQ(second->GetText(), L"bc");
}
