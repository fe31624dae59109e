#include "tests/ux/widgets/ScrollFixture.h"
#include "ux/core/UxRect.h"
#include "ux/widgets/UxButton.h"
#include "ux/widgets/UxListWindow.h"

#include <gtest/gtest.h>

namespace {

using Log = std::vector<std::string>;

// Rows carry a number as data; the filter matches numbers containing the text.
class TestList : public UxListWindow {
public:
    void OnRowHeld(int32_t index, int32_t x, int32_t y) override { Note("held", index, x, y); }
    void OnRowClicked(int32_t index, int32_t x, int32_t y) override { Note("clicked", index, x, y); }
    bool MatchesFilter(int32_t index, const std::wstring& filter) override
    {
        return std::to_wstring(GetRow(index).data).find(filter) != std::wstring::npos;
    }
    void Note(const char* what, int32_t index, int32_t x, int32_t y)
    {
        log.push_back(std::string(what) + " " + std::to_string(GetRow(index).data) + " " + std::to_string(x) + ","
            + std::to_string(y));
    }

    template <typename T> std::vector<T> Each(T (*of)(const UxListRow&)) const
    {
        std::vector<T> all;
        for (int32_t i = 0; i < GetRowCount(); ++i)
            all.push_back(of(GetRow(i)));
        return all;
    }
    std::vector<uintptr_t> Data() const { return Each<uintptr_t>([](const UxListRow& r) { return r.data; }); }
    std::vector<int32_t> Shown() const { return Each<int32_t>([](const UxListRow& r) { return r.LayoutHeight(); }); }
    // Tops follow the shown heights and the content is their sum.
    bool Consistent() const
    {
        int32_t top = 0;
        for (int32_t i = 0; i < GetRowCount(); ++i) {
            if (GetRow(i).top != top)
                return false;
            top += GetRow(i).LayoutHeight();
        }
        return top == GetYAxis().GetContentSize();
    }

    Log log;
};

UxListRow Row(uintptr_t data, int32_t kind = UxListRow::Item, int32_t height = 50)
{
    UxListRow row;
    row.kind = kind;
    row.fullHeight = height;
    row.data = data;
    return row;
}

class ListWindow : public ScrollFixture<TestList> {
protected:
    // Groups of items: header data 1000 * group, items numbered on.
    void Build(int groups, int items, bool animate = false)
    {
        window.SetAnimate(animate);
        for (int g = 1; g <= groups; ++g) {
            window.AddRow(Row(uintptr_t(1000 * g), UxListRow::Header, 40));
            for (int i = 1; i <= items; ++i)
                window.AddRow(Row(uintptr_t(1000 * g + i)));
        }
        window.SetAnimate(true);
    }
    void Tap(int x, int y)
    {
        Down(x, y);
        Up(x, y, 20);
        UxPumpFor(300);
    }
};

TEST_F(ListWindow, RowsAnimateInAndOutWithIndicesKeptDuringARemoval)
{
    window.SetAnimate(false);
    window.AddRow(Row(1));
    EXPECT_EQ(window.GetYAxis().GetContentSize(), 50); // at once without animation
    window.SetAnimate(true);
    for (uintptr_t d = 2; d <= 6; ++d)
        window.AddRow(Row(d)); // each finishes the one before
    UxPumpFor(250);
    int32_t half = window.GetRow(5).shownHeight;
    EXPECT_GT(half, 0);
    EXPECT_LT(half, 50);
    EXPECT_TRUE(window.Consistent());
    UxPumpFor(300);
    EXPECT_EQ(window.Shown(), (std::vector<int32_t> { 50, 50, 50, 50, 50, 50 }));

    EXPECT_FALSE(window.InsertRow(Row(9), 6)); // not a row: AddRow appends
    EXPECT_FALSE(window.RemoveRow(-1));
    EXPECT_TRUE(window.RemoveRow(1)); // row 2 shrinks out
    UxPumpFor(200);
    EXPECT_LT(window.GetRow(1).shownHeight, 50);
    EXPECT_TRUE(window.Consistent());
    // The caller still counts row 2: "before row 5" means before the row holding 5.
    EXPECT_TRUE(window.InsertRow(Row(7), 4));
    EXPECT_EQ(window.Data(), (std::vector<uintptr_t> { 1, 3, 4, 7, 5, 6 }));
    EXPECT_TRUE(window.RemoveRow(5)); // 6 on its way out
    EXPECT_TRUE(window.RemoveRow(5)); // the same row again: it just goes
    EXPECT_EQ(window.Data(), (std::vector<uintptr_t> { 1, 3, 4, 7, 5 }));
    EXPECT_TRUE(window.RemoveRow(0));
    EXPECT_TRUE(window.RemoveRow(4)); // counted with 1 still there: the row holding 5
    UxPumpFor(600);
    EXPECT_EQ(window.Data(), (std::vector<uintptr_t> { 3, 4, 7 }));
    EXPECT_TRUE(window.Consistent());
    EXPECT_EQ(window.GetYAxis().GetContentSize(), 150);

    // A row held while one above it shrinks out stays lit when that one goes.
    window.Clear();
    for (uintptr_t d = 0; d < 6; ++d)
        window.AddRow(Row(d));
    window.StopAnimation();
    EXPECT_TRUE(window.RemoveRow(1));
    Down(100, 175);
    UxPumpFor(150);
    const int32_t held = window.GetSelection();
    ASSERT_GT(held, 1);
    const uintptr_t data = window.GetRow(held).data;
    UxPumpFor(600);
    EXPECT_EQ(window.GetSelection(), held - 1);
    EXPECT_EQ(window.GetRow(window.GetSelection()).data, data);
    Up(100, 175);
    UxPumpFor(300);

    // Removing rows of a list scrolled to its end brings it back into range.
    window.Clear();
    for (uintptr_t d = 0; d < 20; ++d)
        window.AddRow(Row(d));
    window.StopAnimation();
    window.GetYAxis().SetPosition(640 - 1000);
    for (int32_t i = 19; i >= 10; --i)
        window.RemoveRow(i);
    UxPumpFor(2000);
    EXPECT_EQ(window.GetYAxis().GetOffset(), 0);
    EXPECT_TRUE(window.Consistent());
}

TEST_F(ListWindow, GroupsFoldAndUnfoldOneAnimationAfterAnother)
{
    Build(3, 4);
    EXPECT_EQ(window.GetYAxis().GetContentSize(), 3 * (40 + 200));
    EXPECT_TRUE(window.Collapse(0));
    UxPumpFor(200);
    EXPECT_TRUE(window.Collapse(5)); // the first fold completes before this one runs
    EXPECT_EQ(window.Shown(), (std::vector<int32_t> { 40, 0, 0, 0, 0, 40, 50, 50, 50, 50, 40, 50, 50, 50, 50 }));
    UxPumpFor(600);
    EXPECT_EQ(window.GetYAxis().GetContentSize(), 40 + 40 + 240);
    // Folded rows draw nothing: the headers show one under the other.
    EXPECT_EQ(FramePixel(100, 20), FrameColour(82 | 127 << 8 | 195 << 16));
    EXPECT_EQ(FramePixel(100, 60), FrameColour(71 | 111 << 8 | 170 << 16));
    EXPECT_TRUE(window.Consistent());
    // Hidden rows take no room: the second header follows the first directly.
    EXPECT_EQ(window.RowAt(40), 5);
    EXPECT_EQ(window.RowAt(39), 0);
    EXPECT_EQ(window.RowAt(80), 10);
    EXPECT_EQ(window.RowAt(320), -1);
    EXPECT_EQ(window.RowAt(-1), -1);
    EXPECT_FALSE(window.IsGroupExpanded(3));
    EXPECT_TRUE(window.IsGroupExpanded(0));
    EXPECT_EQ(window.FindHeaderRow(8), 5);

    window.AddRow(Row(3005)); // into the open last group
    window.InsertRow(Row(1005), 5); // into the folded first group: nothing grows
    UxPumpFor(600);
    EXPECT_EQ(window.GetRow(5).shownHeight, 0);
    EXPECT_EQ(window.GetYAxis().GetContentSize(), 40 + 40 + 290);
    EXPECT_TRUE(window.RemoveRow(5)); // a folded row goes at once
    EXPECT_EQ(window.GetRowCount(), 16);

    EXPECT_FALSE(window.Expand(1)); // not a header
    EXPECT_TRUE(window.Expand(0));
    UxPumpFor(250);
    EXPECT_TRUE(window.Consistent());
    UxPumpFor(300);
    EXPECT_EQ(window.Shown(),
        (std::vector<int32_t> { 40, 50, 50, 50, 50, 40, 0, 0, 0, 0, 40, 50, 50, 50, 50, 50 }));
}

TEST_F(ListWindow, FilterHidesUnmatchedItemsAndEmptyGroups)
{
    Build(3, 4); // items 1001-1004, 2001-2004, 3001-3004
    window.AddRow(Row(4000, UxListRow::Header, 40)); // a group without items
    window.StopAnimation();
    window.Collapse(5);
    window.StopAnimation();
    window.SetFilter(L"3");
    // Group 1 keeps 1003, folded group 2 keeps 2003 at no height, group 3 keeps all.
    EXPECT_EQ(window.Shown(),
        (std::vector<int32_t> { 40, 0, 0, 50, 0, 40, 0, 0, 0, 0, 40, 50, 50, 50, 50, 0 }));
    EXPECT_TRUE(window.Consistent());
    window.Expand(5); // only the visible row grows; the hidden ones wait at full height
    UxPumpFor(600);
    EXPECT_EQ(window.GetRow(8).LayoutHeight(), 50);
    EXPECT_EQ(window.GetRow(6).shownHeight, 50);
    EXPECT_EQ(window.GetRow(6).LayoutHeight(), 0);
    window.SetFilter(L"9"); // nothing matches: no row at all
    EXPECT_EQ(window.GetYAxis().GetContentSize(), 0);
    window.SetFilter(L"");
    EXPECT_EQ(window.GetYAxis().GetContentSize(), 4 * 40 + 12 * 50);
    EXPECT_TRUE(window.Consistent());
}

TEST_F(ListWindow, HoldAndClickReportTheRowUnderThePointerAfterScrolling)
{
    Build(2, 20);
    window.GetYAxis().SetPosition(-237);
    // Screen y 300 is content 537: header 40, then rows of 50: item 10 of group 1.
    Tap(100, 300);
    EXPECT_EQ(window.log, (Log { "held 1010 100,47", "clicked 1010 100,47" }));
    EXPECT_FALSE(RectsDiffer(window.GetRowRect(10), { 0, 253, 480, 303 }));

    window.log.clear();
    window.GetYAxis().SetPosition(-1000); // the second header at screen y 40
    ASSERT_EQ(window.RowAtScreenY(60), 21);
    Tap(100, 60);
    UxPumpFor(600);
    EXPECT_TRUE(window.log.empty()); // headers are not held or clicked: they fold
    EXPECT_FALSE(window.GetRow(21).expanded);
    UxPumpFor(1000); // the shorter list settles back into range
    window.GetYAxis().SetPosition(-237);

    // Held, then dragged: the selection goes and no click follows.
    Down(100, 300);
    UxPumpFor(150);
    EXPECT_EQ(window.GetSelection(), 10);
    Move(100, 260);
    Move(100, 200);
    EXPECT_EQ(window.GetSelection(), -1);
    Up(100, 200, 200);
    UxPumpFor(300);
    EXPECT_EQ(window.log, (Log { "held 1010 100,47" }));
}

TEST_F(ListWindow, TapDuringAFlingStopsItAndSelectsNothing)
{
    Build(5, 20);
    Down(100, 600);
    for (int y = 560; y >= 200; y -= 60)
        Move(100, y);
    Up(100, 200);
    UxPumpFor(100);
    ASSERT_TRUE(window.GetYAxis().IsFlinging());
    Tap(100, 300);
    int32_t stopped = window.GetYAxis().GetOffset();
    UxPumpFor(500);
    EXPECT_EQ(window.GetYAxis().GetOffset(), stopped);
    EXPECT_TRUE(window.log.empty());
    EXPECT_EQ(window.GetSelection(), -1);

    // A row tapped before the list was moved by a key: the tap that stops the move
    // clicks nothing still.
    window.GetYAxis().SetPosition(-237); // an item row at screen y 300
    Tap(100, 300);
    ASSERT_EQ(window.log.size(), 2u);
    window.log.clear();
    window.SetFocus(true);
    Input().Key(true, 34); // page down
    Flush();
    UxPumpFor(100);
    ASSERT_TRUE(window.GetYAxis().IsFlinging());
    Tap(100, 300);
    EXPECT_TRUE(window.log.empty());
}

TEST_F(ListWindow, PageKeysScrollAndDefaultRowsAreShadedByKind)
{
    Build(2, 20);
    window.SetFocus(true);
    Input().Key(true, 34); // page down
    Flush();
    UxPumpFor(3000);
    EXPECT_EQ(window.GetYAxis().GetOffset(), -640);
    Input().Key(true, 35); // end
    Flush();
    UxPumpFor(3000);
    EXPECT_EQ(window.GetYAxis().GetOffset(), 640 - 2080);
    Input().Key(true, 33); // page up
    Flush();
    UxPumpFor(3000);
    EXPECT_EQ(window.GetYAxis().GetOffset(), 2 * 640 - 2080);
    Input().Key(true, 36); // home
    Flush();
    UxPumpFor(4000); // the move, then the indicator's fade
    EXPECT_EQ(window.GetYAxis().GetOffset(), 0);
    // Header 0: the lightest blue; item 1: grey 180, to the right edge under the faded
    // indicator.
    EXPECT_EQ(FramePixel(100, 20), FrameColour(82 | 127 << 8 | 195 << 16));
    EXPECT_EQ(FramePixel(100, 60), FrameColour(0xB4B4B4));
    EXPECT_EQ(FramePixel(479, 60), FrameColour(0xB4B4B4));
}

TEST_F(ListWindow, ARowIsLitOnlyWhilePressed)
{
    Build(2, 3);
    // A tap: lit from the hold, and no longer once it has clicked.
    Down(100, 60);
    UxPumpFor(150);
    EXPECT_EQ(window.GetSelection(), 1);
    Up(100, 60, 20);
    UxPumpFor(300);
    EXPECT_EQ(window.log, (Log { "held 1001 100,20", "clicked 1001 100,20" }));
    EXPECT_EQ(window.GetSelection(), -1);

    // A long press on a header folds it as a tap does, and leaves it unlit.
    Down(100, 20);
    UxPumpFor(700);
    EXPECT_EQ(window.GetSelection(), 0);
    Up(100, 20, 20);
    UxPumpFor(700);
    EXPECT_FALSE(window.GetRow(0).expanded);
    EXPECT_EQ(window.GetSelection(), -1);

    // A press that leaves the row on a list that does not scroll clicks nothing, and
    // goes out when let go.
    window.GetYAxis().SetDraggable(false);
    window.log.clear();
    ASSERT_EQ(window.RowAtScreenY(100), 5); // under the folded group and the next header
    Down(100, 100);
    UxPumpFor(150);
    EXPECT_EQ(window.GetSelection(), 5);
    Move(100, 160);
    Up(100, 160);
    UxPumpFor(300);
    EXPECT_EQ(window.GetSelection(), -1);
    EXPECT_EQ(window.log, (Log { "held 2001 100,20" }));

    // A window lying over a row (a button on it) lights the row while it is held.
    UxWindow button;
    button.SetRect({ 400, 50, 470, 90 });
    window.AddChild(&button);
    window.log.clear();
    Down(430, 70);
    UxPumpFor(150);
    EXPECT_EQ(window.GetSelection(), window.RowAtScreenY(70));
    Up(430, 70, 20);
    UxPumpFor(300);
    EXPECT_EQ(window.GetSelection(), -1);
    // Tapped quickly, its hold comes after the release; its click ends it all the same.
    Down(430, 70);
    Up(430, 70, 20);
    UxPumpFor(300);
    EXPECT_EQ(window.GetSelection(), -1);
    EXPECT_TRUE(window.log.empty()); // the button's, not the row's
    window.RemoveChild(&button);
}

// A button lying over a row reports no release and no click when let go outside itself;
// the row it lit goes out all the same.
TEST_F(ListWindow, ARowLitUnderAButtonGoesOutWhenThePressEndsOffTheButton)
{
    Build(2, 3);
    UxButton button;
    button.SetRect({ 400, 60, 410, 80 });
    window.AddChild(&button);
    const int32_t row = window.RowAtScreenY(70);

    // Dragged off, then let go: neither a hold nor a click comes after.
    Down(405, 70);
    UxPumpFor(150);
    ASSERT_EQ(window.GetSelection(), row);
    Move(300, 70);
    Up(300, 70);
    EXPECT_EQ(window.GetSelection(), -1);
    UxPumpFor(300);
    EXPECT_EQ(window.GetSelection(), -1);

    // Let go just beside it, within the tap's reach: the click that follows is outside
    // the button, and the press ends with it.
    Down(405, 70);
    UxPumpFor(150);
    ASSERT_EQ(window.GetSelection(), row);
    Up(415, 70);
    UxPumpFor(300);
    EXPECT_EQ(window.GetSelection(), -1);

    // A quick tap beside it: the hold comes after the release, the click ends it.
    Down(405, 70);
    Up(415, 70, 20);
    UxPumpFor(300);
    EXPECT_EQ(window.GetSelection(), -1);
    EXPECT_TRUE(window.log.empty());
    window.RemoveChild(&button);
}

TEST_F(ListWindow, TheKeyboardsRowSkipsWhatDoesNotShowKeepsInViewAndClicksAsATap)
{
    Build(3, 20); // 0 header, 1-20, 21 header, 22-41, 42 header, 43-62
    window.Collapse(21);
    window.StopAnimation();
    window.SetFilter(L"5"); // items 1005, 1015, 2005, 2015 (folded), 3005, 3015

    // The first step lands on the first row shown, then on over the hidden rows and
    // the folded group's.
    EXPECT_TRUE(window.MoveKeyRow(1));
    EXPECT_EQ(window.GetKeyRow(), 0);
    EXPECT_TRUE(window.IsRowLit(0));
    EXPECT_EQ(window.GetSelection(), -1); // no row is pressed
    window.MoveKeyRow(3);
    EXPECT_EQ(window.GetRow(window.GetKeyRow()).data, 2000u);
    window.MoveKeyRow(1);
    EXPECT_EQ(window.GetRow(window.GetKeyRow()).data, 3000u);
    window.MoveKeyRow(10); // stops at the last row shown
    EXPECT_EQ(window.GetRow(window.GetKeyRow()).data, 3015u);
    window.MoveKeyRow(-1);
    EXPECT_EQ(window.GetRow(window.GetKeyRow()).data, 3005u);

    // Enter on it: what a tap in its middle does, and it stays lit as the keyboard's row
    // alone; on a header it folds the group.
    EXPECT_TRUE(window.ClickKeyRow());
    EXPECT_EQ(window.log, (Log { "clicked 3005 240,25" }));
    EXPECT_EQ(window.GetSelection(), -1);
    const int32_t entered = window.GetKeyRow();
    EXPECT_TRUE(window.IsRowLit(entered));
    window.MoveKeyRow(-1);
    EXPECT_FALSE(window.IsRowLit(entered));
    EXPECT_TRUE(window.ClickKeyRow());
    UxPumpFor(600);
    EXPECT_FALSE(window.GetRow(42).expanded);

    // A long list scrolls at once to keep the row in view, and it keeps its row while
    // others come and go above it.
    window.SetFilter(L"");
    window.Expand(21);
    window.Expand(42);
    window.StopAnimation();
    UxPumpFor(1200);
    window.DropKeyRow();
    EXPECT_EQ(window.GetKeyRow(), -1);
    window.MoveKeyRow(-1); // from the bottom of the view: the last row seen
    EXPECT_EQ(window.GetRow(window.GetKeyRow()).data, 1012u);
    window.MoveKeyRow(29);
    const plat::RECT row = window.GetRowRect(window.GetKeyRow());
    EXPECT_EQ(window.GetRow(window.GetKeyRow()).data, 2020u);
    EXPECT_EQ(row.bottom, window.GetHeight());
    EXPECT_FALSE(window.GetYAxis().IsMoving());
    window.InsertRow(Row(999), 1);
    window.RemoveRow(3);
    UxPumpFor(600);
    EXPECT_EQ(window.GetRow(window.GetKeyRow()).data, 2020u);

    // The mouse takes over: a press puts the keyboard's row out.
    Tap(100, 300);
    EXPECT_EQ(window.GetKeyRow(), -1);
}

} // namespace
