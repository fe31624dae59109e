// The desktop's own input: the wheel, page keys and menu requests find the window under
// the pointer, Tab walks the edit boxes, Escape and Enter answer the open popup.
#include "platform/display/VirtualKeys.h"
#include "tests/support/DesktopFixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Log = std::vector<std::string>;

bool Has(const Log& log, const std::string& entry)
{
    return std::find(log.begin(), log.end(), entry) != log.end();
}

// Records the desktop's input and takes it, or passes it on to its parent.
class InputWindow : public RecordingWindow {
public:
    using RecordingWindow::RecordingWindow;

    bool OnMouseWheel(int32_t delta, int32_t x, int32_t y) override
    {
        Note("wheel " + std::to_string(delta) + " " + std::to_string(x) + "," + std::to_string(y));
        return takes || UxWindow::OnMouseWheel(delta, x, y);
    }
    bool OnScrollKey(uintptr_t key) override
    {
        Note("page " + std::to_string(key));
        return takes || UxWindow::OnScrollKey(key);
    }
    bool OnContextMenu(int32_t x, int32_t y) override
    {
        Note("menu " + std::to_string(x) + "," + std::to_string(y));
        return takes || UxWindow::OnContextMenu(x, y);
    }
    bool OnKeyDown(uintptr_t key, intptr_t) override { return Note("key " + std::to_string(key)); }
    bool IsTabStop() const override { return tabStop; }

    bool takes = false;
    bool tabStop = false;
};

// A page over the whole desktop with a window inside it.
class DesktopInput : public ::testing::Test, public DesktopFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(created);
        page.SetRect({ 0, 0, 480, 640 });
        inner.SetRect({ 100, 100, 300, 300 });
        page.AddChild(&inner);
        desktop->AddChild(&page);
        Flush();
        log.clear();
    }
    void TearDown() override
    {
        page.RemoveChild(&inner);
        desktop->RemoveChild(&page);
    }
    void Key(uint32_t key, uint32_t held = 0, bool repeat = false)
    {
        if (held)
            Input().Key(true, held);
        Input().Key(true, key, repeat);
        Input().Key(false, key);
        if (held)
            Input().Key(false, held);
        Flush();
    }
    void RightClick(int x, int y)
    {
        Input().RightDown(x, y);
        Input().RightUp(x, y);
        Flush();
    }
    TestPopup* OpenPopup()
    {
        auto* popup = new TestPopup("popup", &log);
        popup->SetRect({ 300, 300, 460, 460 });
        desktop->AddChild(popup);
        popups->SetPopup(popup);
        popup->SetFocus(true);
        log.clear();
        return popup;
    }

    Log log;
    InputWindow page { "page", &log };
    InputWindow inner { "inner", &log };
};

} // namespace

TEST_F(DesktopInput, WheelAndMenuRequestsReachTheWindowUnderThePointerAndPassUpward)
{
    Input().Wheel(150, 160, -1.0f);
    Flush();
    EXPECT_EQ(log, (Log { "inner:wheel -120 150,160", "page:wheel -120 150,160" }));
    log.clear();
    inner.takes = true;
    Input().Wheel(150, 160, 0.5f);
    Input().Wheel(400, 400, 2.0f);
    Flush();
    EXPECT_EQ(log, (Log { "inner:wheel 60 150,160", "page:wheel 240 400,400" }));
    log.clear();
    // A window that takes no presses takes no wheel either.
    inner.GetPointerTracker().SetDisabled(true);
    Input().Wheel(150, 160, 1.0f);
    Flush();
    EXPECT_EQ(log, (Log { "page:wheel 120 150,160" }));
    inner.GetPointerTracker().SetDisabled(false);
    log.clear();

    RightClick(150, 160);
    EXPECT_EQ(log, (Log { "inner:menu 150,160" }));
    log.clear();
    // Nothing while a press holds the pointer.
    Input().PointerDown(150, 160);
    Flush();
    Input().Wheel(150, 160, 1.0f);
    RightClick(150, 160);
    Input().PointerUp(150, 160);
    Flush();
    EXPECT_FALSE(Has(log, "inner:wheel 120 150,160"));
    EXPECT_FALSE(Has(log, "inner:menu 150,160"));
    UxPumpFor(300);

    // An open popup keeps both to itself; a right click outside it closes it.
    OpenPopup();
    Input().Wheel(150, 160, 1.0f);
    RightClick(150, 160);
    EXPECT_EQ(log, (Log { "popup:close 0" }));
    EXPECT_EQ(popups->GetPopup(), nullptr);
}

TEST_F(DesktopInput, ALongPressAsksForTheMenuAndEndsThePressWhenOneOpens)
{
    // Nobody offers a menu: the press goes on and clicks.
    Input().PointerDown(150, 160);
    Flush();
    UxPumpFor(600);
    EXPECT_TRUE(Has(log, "inner:menu 150,160"));
    EXPECT_TRUE(Has(log, "page:menu 150,160"));
    Input().PointerUp(150, 160);
    Flush();
    UxPumpFor(200);
    EXPECT_TRUE(Has(log, "inner:click"));

    // A menu opens: the release neither clicks nor reaches the window.
    inner.takes = true;
    log.clear();
    Input().PointerDown(150, 160);
    Flush();
    UxPumpFor(400);
    EXPECT_FALSE(Has(log, "inner:menu 150,160")); // a hold, not yet a long press
    UxPumpFor(200);
    EXPECT_EQ(std::count(log.begin(), log.end(), "inner:menu 150,160"), 1);
    EXPECT_TRUE(Has(log, "inner:capture-"));
    Input().PointerUp(150, 160);
    Flush();
    UxPumpFor(200);
    EXPECT_FALSE(Has(log, "inner:up"));
    EXPECT_FALSE(Has(log, "inner:click"));

    // A press that moved out of the slop is a drag.
    log.clear();
    Input().PointerDown(150, 160);
    Flush();
    Input().PointerMove(150, 200);
    Flush();
    UxPumpFor(700);
    Input().PointerUp(150, 200);
    Flush();
    EXPECT_FALSE(Has(log, "inner:menu 150,200"));

    // Held, then dragged away and back: a drag still, however long it stays down.
    log.clear();
    Input().PointerDown(150, 160);
    Flush();
    UxPumpFor(200);
    ASSERT_TRUE(Has(log, "inner:hold"));
    for (int y : { 200, 165 }) {
        Input().PointerMove(150, y);
        Flush();
    }
    UxPumpFor(700);
    Input().PointerUp(150, 165);
    Flush();
    UxPumpFor(200);
    EXPECT_FALSE(Has(log, "inner:menu 150,165"));
    EXPECT_FALSE(Has(log, "inner:click"));
}

TEST_F(DesktopInput, TabWalksTheStopsOfThePageInReadingOrder)
{
    InputWindow a { "a", &log }, b { "b", &log }, c { "c", &log }, hidden { "hidden", &log };
    a.SetRect({ 20, 300, 200, 330 });
    b.SetRect({ 220, 100, 400, 130 });
    c.SetRect({ 20, 100, 200, 130 });
    hidden.SetRect({ 20, 40, 200, 70 });
    for (InputWindow* w : { &a, &b, &c, &hidden }) {
        w->tabStop = true;
        page.AddChild(w);
    }
    hidden.SetVisible(false);
    auto focused = [] { return static_cast<RecordingWindow*>(UxWindow::FocusedWindow)->name; };

    Key(plat::VK_TAB); // nothing focused: the first stop
    EXPECT_EQ(focused(), "c");
    Key(plat::VK_TAB);
    EXPECT_EQ(focused(), "b");
    Key(plat::VK_TAB);
    EXPECT_EQ(focused(), "a");
    Key(plat::VK_TAB);
    EXPECT_EQ(focused(), "c");
    Key(plat::VK_TAB, plat::VK_SHIFT);
    EXPECT_EQ(focused(), "a");
    // The key and the character it types stay with the desktop.
    EXPECT_FALSE(Has(log, "a:key 9"));
    EXPECT_FALSE(Has(log, "a:char 9"));
    EXPECT_FALSE(Has(log, "c:char 9"));

    // From a window that is no stop (a button tapped), to the stops after and before it.
    InputWindow button { "button", &log };
    button.SetRect({ 20, 200, 200, 230 });
    page.AddChild(&button);
    button.SetFocus(true);
    Key(plat::VK_TAB);
    EXPECT_EQ(focused(), "a");
    button.SetFocus(true);
    Key(plat::VK_TAB, plat::VK_SHIFT);
    EXPECT_EQ(focused(), "b");
    // A popup that closed left nothing focused: Tab goes on from where it was before.
    c.SetFocus(true);
    OpenPopup()->Close(0);
    EXPECT_EQ(UxWindow::FocusedWindow, nullptr);
    Key(plat::VK_TAB);
    EXPECT_EQ(focused(), "b");
    page.RemoveChild(&button);

    // A page without stops leaves Tab to the focused window.
    for (InputWindow* w : { &a, &b, &c, &hidden })
        page.RemoveChild(w);
    page.SetFocus(true);
    log.clear();
    Key(plat::VK_TAB);
    EXPECT_TRUE(Has(log, "page:key 9"));
    EXPECT_TRUE(Has(log, "page:char 9"));
}

TEST_F(DesktopInput, EscapeAndEnterAnswerTheOpenPopupAndPageKeysScrollWhatIsUnderThePointer)
{
    page.SetFocus(true);
    log.clear();
    Key(plat::VK_ESCAPE); // no popup: the focused window's key
    EXPECT_EQ(log, (Log { "page:key 27", "page:char 27" }));

    OpenPopup();
    Key(plat::VK_ESCAPE, 0, true); // held since before the popup opened
    Key(plat::VK_ESCAPE, plat::VK_CONTROL); // a command of the focused window
    Key(plat::VK_RETURN); // a plain popup takes no Enter
    EXPECT_FALSE(Has(log, "popup:close 0"));
    EXPECT_FALSE(Has(log, "page:key 27"));
    Key(plat::VK_ESCAPE);
    EXPECT_TRUE(Has(log, "popup:close 0"));
    EXPECT_EQ(popups->GetPopup(), nullptr);

    // The page keys go to what lies under the pointer, else to the focused window.
    page.SetFocus(true);
    inner.takes = true;
    Input().PointerMove(150, 160);
    log.clear();
    Key(plat::VK_NEXT);
    EXPECT_EQ(log, (Log { "inner:page 34" }));
    Input().PointerMove(400, 400);
    log.clear();
    Key(plat::VK_HOME);
    EXPECT_EQ(log, (Log { "page:page 36", "page:key 36" }));
}
