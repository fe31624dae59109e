#include "platform/display/VirtualKeys.h"
#include "platform/event/Window.h"
#include "platform/system/Utf8.h"
#include "platform/system/InputPanel.h"
#include "tests/support/DesktopFixture.h"
#include "ux/core/UxRect.h"
#include "ux/core/UxSwipeDetector.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Log = std::vector<std::string>;

bool Has(const Log& log, const std::string& entry)
{
    return std::find(log.begin(), log.end(), entry) != log.end();
}

// Two panels side by side under the desktop, with a child in the right one.
class Routing : public ::testing::Test, public DesktopFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(created);
        left.SetRect({ 0, 0, 240, 640 });
        right.SetRect({ 200, 0, 480, 640 }); // overlaps left by 40 pixels
        button.SetRect({ 20, 20, 120, 120 });
        right.AddChild(&button);
        desktop->AddChild(&left);
        desktop->AddChild(&right);
        Flush();
        log.clear();
    }
    void TearDown() override
    {
        right.RemoveChild(&button);
        desktop->RemoveChild(&left);
        desktop->RemoveChild(&right);
    }
    void Press(int x, int y)
    {
        Input().PointerDown(x, y);
        Flush();
    }
    void Release(int x, int y)
    {
        Input().PointerUp(x, y);
        Flush();
    }

    Log log;
    RecordingWindow left { "left", &log, 0x0000FF };
    RecordingWindow right { "right", &log, 0x00FF00 };
    RecordingWindow button { "button", &log, 0xFF0000 };
};

TEST_F(Routing, LaterSiblingsAndChildrenAreAskedFirst)
{
    Press(210, 300); // under both panels: the later one takes it
    EXPECT_TRUE(Has(log, "right:down"));
    EXPECT_FALSE(Has(log, "left:down"));
    Release(210, 300);
    log.clear();
    Press(250, 50); // the button inside the right panel
    EXPECT_EQ(log.front(), "button:capture+");
    EXPECT_TRUE(Has(log, "button:down"));
    EXPECT_TRUE(Has(log, "right:child button 0"));
    EXPECT_FALSE(Has(log, "right:down"));
    Release(250, 50);
    log.clear();
    button.accept = false; // a child refusing the press leaves it to its parent
    Press(250, 50);
    EXPECT_TRUE(Has(log, "right:down"));
    UxPumpFor(300);
    EXPECT_FALSE(Has(log, "button:hold"));
    EXPECT_TRUE(Has(log, "right:hold"));
    Release(250, 50);
}

TEST_F(Routing, CapturedWindowGetsTheWholeDrag)
{
    Input().PointerDown(250, 50);
    Input().PointerMove(20, 600); // far outside the button, over the left panel
    Release(20, 600);
    EXPECT_TRUE(Has(log, "button:move"));
    EXPECT_TRUE(Has(log, "button:up"));
    EXPECT_FALSE(Has(log, "left:move"));
    EXPECT_FALSE(Has(log, "right:child button 2")); // released outside: not reported
    EXPECT_EQ(UxWindow::CapturedWindow, nullptr);
    EXPECT_EQ(UxWindow::FocusedWindow, nullptr); // the button takes no keys
}

TEST_F(Routing, HoldAfterATenthAndClickATenthAfterReleaseWithinASlopOfTwenty)
{
    Input().PointerDown(250, 50);
    Input().PointerMove(269, 69); // 19 both ways: still a tap
    Flush();
    UxPumpFor(99);
    EXPECT_FALSE(Has(log, "button:hold"));
    UxPumpFor(2);
    EXPECT_TRUE(Has(log, "button:hold"));
    Release(269, 69);
    UxPumpFor(99);
    EXPECT_FALSE(Has(log, "button:click"));
    UxPumpFor(2);
    EXPECT_TRUE(Has(log, "button:click"));
    EXPECT_FALSE(button.GetPointerTracker().IsHeld());

    log.clear();
    Input().PointerDown(250, 50);
    Input().PointerMove(270, 50); // 20 one way: a drag
    Flush();
    UxPumpFor(150);
    Release(250, 50);
    UxPumpFor(150);
    EXPECT_FALSE(Has(log, "button:hold"));
    EXPECT_FALSE(Has(log, "button:click"));

    log.clear(); // held first, then dragged away: still no click
    Input().PointerDown(250, 50);
    Flush();
    UxPumpFor(150);
    Input().PointerMove(250, 90);
    Release(250, 50);
    UxPumpFor(150);
    EXPECT_TRUE(Has(log, "button:hold"));
    EXPECT_FALSE(Has(log, "button:click"));
}

TEST_F(Routing, OpenPopupTakesEveryTapAndClosesOnATapOutside)
{
    auto open = [&](bool closeOnOutsideTap) {
        auto* popup = new TestPopup("popup", &log);
        popup->SetRect({ 100, 100, 300, 300 });
        popup->closeOnOutsideTap = closeOnOutsideTap;
        desktop->AddChild(popup);
        popups->SetPopup(popup);
        log.clear();
        return popup;
    };
    open(true);
    Tap(250, 50); // over the button, outside the popup
    EXPECT_EQ(log, (Log { "popup:close 0" }));

    TestPopup* popup = open(false);
    Tap(250, 50);
    EXPECT_TRUE(log.empty()) << ::testing::PrintToString(log);
    // A popup that closes itself from its own handler: nothing may touch it afterwards.
    popup->closeOnUp = true;
    Tap(150, 150);
    UxPumpFor(300);
    EXPECT_TRUE(Has(log, "popup:close 2")) << ::testing::PrintToString(log);
    EXPECT_FALSE(Has(log, "popup:click"));
    EXPECT_EQ(UxWindow::CapturedWindow, nullptr);
    EXPECT_EQ(UxWindow::FocusedWindow, nullptr);
}

TEST_F(Routing, DisabledTrackerLeavesThePressToTheParent)
{
    button.GetPointerTracker().SetDisabled(true);
    Press(250, 50);
    Release(250, 50);
    EXPECT_FALSE(Has(log, "button:down"));
    EXPECT_TRUE(Has(log, "right:down")) << ::testing::PrintToString(log);
    button.GetPointerTracker().SetDisabled(false);
}

TEST_F(Routing, KeysAndTextGoToTheFocusedWindow)
{
    EXPECT_FALSE(desktop->RootKeyDown(plat::VK_RETURN, 1)); // nobody focused
    EXPECT_TRUE(desktop->RootSetSelection(0, 1));
    button.SetFocus(true);
    log.clear();
    Input().Composition(L"가");
    Input().Text(L"가");
    Input().Text(L"a");
    plat::PostMessageW(device->GetHandle(), plat::WM_IME_COMPOSITION, 0x41, 0x100);
    plat::PostMessageW(device->GetHandle(), plat::WM_IME_COMPOSITION, 0x41, 0);
    Flush();
    EXPECT_EQ(log,
        (Log { "button:ime 44032 1", "button:char 44032", "button:char 97", "button:ime 65 2",
            "button:ime 65 0" }));
}

// A press gives the keys only to a window that takes them. A window hidden while the
// keys are in it gives them up, and shown again gets them back, unless another window
// in view took them meanwhile.
TEST_F(Routing, OnlyAWindowThatTakesKeysTakesThemAndAHiddenOneGivesThemUp)
{
    left.takesKeys = true;
    Tap(20, 600);
    EXPECT_EQ(UxWindow::FocusedWindow, &left);
    Tap(250, 50); // the button takes none: they stay in the left panel
    EXPECT_EQ(UxWindow::FocusedWindow, &left);
    button.takesKeys = true;
    Tap(250, 50);
    ASSERT_EQ(UxWindow::FocusedWindow, &button);

    right.SetVisible(false);
    EXPECT_EQ(UxWindow::FocusedWindow, nullptr);
    Input().Text(L"a");
    Flush();
    EXPECT_FALSE(Has(log, "button:char 97"));
    right.SetVisible(true);
    EXPECT_EQ(UxWindow::FocusedWindow, &button);

    right.SetVisible(false);
    left.SetFocus(true);
    right.SetVisible(true);
    EXPECT_EQ(UxWindow::FocusedWindow, &left);
    // Hidden once more while hidden (everything goes at the end of a session): the box
    // is forgotten.
    button.SetFocus(true);
    right.SetVisible(false);
    right.SetVisible(false);
    right.SetVisible(true);
    EXPECT_EQ(UxWindow::FocusedWindow, nullptr);
}

TEST(UxSwipeDetector, FirstMatchingRuleGivesTheCode)
{
    Log log;
    RecordingWindow owner("w", &log);
    UxSwipeDetector swipe(&owner);
    auto run = [&](uint32_t mask, int dx, int dy) {
        swipe.SetMask(mask);
        swipe.Begin(100, 100);
        return swipe.End(100 + dx, 100 + dy);
    };
    using D = UxSwipeDetector;
    EXPECT_EQ(run(D::Left | D::Up, -25, -25), 1);
    EXPECT_EQ(run(D::Left, -25, -25), 0);
    EXPECT_EQ(run(D::Left | D::Up | D::Right | D::Down, -20, 0), -1);
    EXPECT_EQ(run(D::Right | D::Down, 21, 21), 5);
    EXPECT_EQ(run(D::Up | D::Down, 0, 30), 6);
    EXPECT_EQ(log, (Log { "w:gesture 1", "w:gesture 0", "w:gesture 5", "w:gesture 6" }));
    UxSwipeDetector orphan;
    orphan.SetMask(15);
    EXPECT_EQ(orphan.End(500, 0), -1);
}

class DeviceWindow : public ::testing::Test, public DesktopFixture {
protected:
    void SetUp() override { ASSERT_TRUE(created); }
    Log log;
};

TEST_F(DeviceWindow, ActivationHidesThePanelAtTheNextPaints)
{
    RecordingWindow w("w", &log);
    desktop->AddChild(&w);
    sip->Show();
    sip->Show();
    auto calls = plat::GetInputPanelCalls();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "SipShowIM 1"), 1);
    EXPECT_TRUE(Has(log, "w:sip+"));

    plat::ResetInputPanel();
    plat::SendMessageW(device->GetHandle(), plat::WM_ACTIVATE, plat::WA_INACTIVE, 0);
    EXPECT_EQ(sip->GetState(), UxSipHandler::Shown);
    EXPECT_EQ(plat::SendMessageW(device->GetHandle(), plat::WM_ACTIVATE, plat::WA_ACTIVE, 0), 0);
    EXPECT_EQ(plat::GetInputPanelCalls().front(), "SHFullScreen 8");
    EXPECT_EQ(sip->GetState(), UxSipHandler::HideRequested);
    desktop->Invalidate();
    Flush();
    EXPECT_EQ(sip->GetState(), UxSipHandler::JustHidden);
    EXPECT_TRUE(Has(log, "w:sip-"));
    EXPECT_FALSE(plat::IsInputPanelShown());
    desktop->Invalidate();
    Flush();
    EXPECT_EQ(sip->GetState(), UxSipHandler::Hidden);
    desktop->RemoveChild(&w);
}

// Answers the input panel's news with false: nothing after it in the walk hears of it.
class RefusingWindow : public RecordingWindow {
public:
    using RecordingWindow::RecordingWindow;
    bool OnSipShown(const plat::RECT& r) override { return RecordingWindow::OnSipShown(r) && false; }
};

TEST_F(DeviceWindow, PanelWalkStopsAtTheFirstRefusal)
{
    RefusingWindow first("first", &log);
    RecordingWindow child("child", &log), second("second", &log);
    first.AddChild(&child);
    desktop->AddChild(&first);
    desktop->AddChild(&second);
    sip->Show();
    EXPECT_EQ(log, (Log { "first:sip+" }));
    first.RemoveChild(&child);
    desktop->RemoveChild(&first);
    desktop->RemoveChild(&second);
}

TEST_F(DeviceWindow, MenuListHidesWhatLiesWhollyUnderItAndFadingWindowsBlend)
{
    RecordingWindow back("back", &log, 0x0000FF), under("under", &log, 0x00FF00),
        beside("beside", &log, 0x00FF00), list("list", &log, 0xFFFFFF);
    back.SetRect({ 0, 0, 480, 640 });
    under.SetRect({ 20, 20, 100, 100 });
    beside.SetRect({ 150, 20, 300, 100 }); // half out from under the list
    list.SetRect({ 0, 0, 200, 200 });
    for (UxWindow* w : { &back, &under, &beside })
        desktop->AddChild(w);
    popups->SetMenuList(&list);
    log.clear();
    desktop->Invalidate();
    Flush();
    EXPECT_TRUE(Has(log, "beside:paint"));
    EXPECT_FALSE(Has(log, "under:paint")) << ::testing::PrintToString(log);
    popups->SetMenuList(nullptr);

    // Halfway through a fade-out, blue over red is composed half and half.
    RecordingWindow fading("fading", &log, 0xFF0000);
    fading.SetOwnSurface(true);
    fading.SetRect({ 300, 300, 400, 400 });
    desktop->AddChild(&fading);
    fading.SetTransitionSpec(UxTransitionSpec(0.2f, 0));
    fading.SetVisible(false);
    UxPumpFor(100);
    desktop->Invalidate();
    Flush();
    plat::COLORREF mixed = FramePixel(350, 350);
    EXPECT_NEAR(int(mixed >> 16 & 0xFF), 128, 8);
    EXPECT_NEAR(int(mixed & 0xFF), 127, 8);
    for (UxWindow* w : { &back, &under, &beside, &fading })
        desktop->RemoveChild(w);
}

TEST_F(DeviceWindow, PaintsParentsFirstAndReusesSurfaces)
{
    RecordingWindow page("page", &log, 0x0000FF), over("over", &log, 0x00FF00),
        inner("inner", &log, 0xFF0000);
    page.SetOwnSurface(true);
    page.SetRect({ 0, 0, 480, 320 });
    over.SetRect({ 0, 320, 480, 640 });
    inner.SetRect({ 10, 10, 50, 50 });
    page.AddChild(&inner);
    desktop->AddChild(&page);
    desktop->AddChild(&over);
    log.clear();
    desktop->Invalidate();
    Flush();
    EXPECT_EQ(log, (Log { "page:paint", "inner:paint", "over:paint" }));
    EXPECT_EQ(FramePixel(100, 100), FrameColour(0x0000FF));
    EXPECT_EQ(FramePixel(20, 20), FrameColour(0xFF0000));
    EXPECT_EQ(FramePixel(100, 500), FrameColour(0x00FF00));
    UxDeviceContext* first = page.GetSurface();

    // A repaint of the lower half leaves the page alone but keeps its surface.
    log.clear();
    over.Invalidate();
    Flush();
    EXPECT_EQ(log, (Log { "over:paint" }));
    EXPECT_FALSE(RectsDiffer(Display()->GetLastPresentRect(), { 0, 320, 480, 640 }));
    page.Invalidate();
    Flush();
    EXPECT_EQ(page.GetSurface(), first);

    // Under a child that paints all its pixels the page draws nothing, unless the
    // repaint reaches beyond the child.
    inner.SetOpaque(true);
    log.clear();
    inner.Invalidate();
    Flush();
    EXPECT_EQ(log, (Log { "inner:paint" }));
    log.clear();
    page.Invalidate(plat::RECT { 0, 0, 60, 60 });
    Flush();
    EXPECT_EQ(log, (Log { "page:paint", "inner:paint" }));
    EXPECT_EQ(FramePixel(5, 5), FrameColour(0x0000FF));
    EXPECT_EQ(FramePixel(20, 20), FrameColour(0xFF0000));
    inner.SetVisible(false); // a hidden child covers nothing
    log.clear();
    page.Invalidate(plat::RECT { 10, 10, 50, 50 });
    Flush();
    EXPECT_EQ(log, (Log { "page:paint" }));
    EXPECT_EQ(FramePixel(20, 20), FrameColour(0x0000FF));

    // A root that draws straight into the screen takes a surface only for a child
    // without one of its own, and lays it under the others.
    desktop->SetOwnSurface(false);
    over.SetVisible(false);
    desktop->Invalidate();
    Flush();
    EXPECT_EQ(pool->GetInUse().size(), 1u);
    over.SetVisible(true);
    desktop->Invalidate();
    Flush();
    EXPECT_EQ(pool->GetInUse().size(), 2u); // the root's for "over", and the page's
    EXPECT_EQ(FramePixel(100, 500), FrameColour(0x00FF00));
    EXPECT_EQ(FramePixel(100, 100), FrameColour(0x0000FF));
    desktop->SetOwnSurface(true);
    desktop->RemoveChild(&page);
    desktop->RemoveChild(&over);
}

TEST_F(DeviceWindow, ResizeRenewsSurfacesThatWindowsStillPointTo)
{
    RecordingWindow page("page", &log, 0x00FFFF);
    page.SetOwnSurface(true);
    page.SetRect({ 0, 0, 100, 100 });
    desktop->AddChild(&page);
    desktop->Invalidate();
    Flush();
    UxDeviceContext* held = page.GetSurface();
    pool->Hold(held); // a transition still draws from it
    ASSERT_TRUE(Display()->Resize(320, 480));
    Flush();
    EXPECT_EQ(desktop->GetWidth(), 320);
    EXPECT_EQ(held->GetWidth(), 100); // still alive for its holder
    UxDeviceContext* renewed = page.GetSurface();
    EXPECT_NE(renewed, nullptr);
    EXPECT_EQ(renewed->GetWidth(), 100);
    desktop->Invalidate();
    Flush();
    EXPECT_EQ(FramePixel(50, 50), FrameColour(0x00FFFF));
    pool->Unhold(held);
    desktop->RemoveChild(&page);
}

TEST_F(DeviceWindow, ASecondStartRaisesTheFirstAndFailsAndUnknownTimersAreIgnored)
{
    EXPECT_TRUE(handler->Handle(plat::WM_USER, 12345, 0));
    int before = Display()->GetRaiseCount();
    plat::HWND window = device->GetHandle();
    EXPECT_FALSE(device->Create(name, { 0, 0, 480, 640 }));
    EXPECT_EQ(Display()->GetRaiseCount(), before + 1);
    EXPECT_EQ(device->GetHandle(), window);

    // The title counting unread items still names the running window; the desktop shows it.
    EXPECT_TRUE(plat::SetWindowTextW(window, (name + L" (12)").c_str()));
    EXPECT_EQ(Display()->GetTitle(), name + L" (12)");
    EXPECT_FALSE(device->Create(name, { 0, 0, 480, 640 }));
    EXPECT_EQ(Display()->GetRaiseCount(), before + 2);
    EXPECT_EQ(UxDeviceWindow::FindRunningWindow(name), window);
    for (const std::wstring& other : { name + L" ()", name + L" (1x)", name + L"(1)", name + L" (1", name + L"x" })
        EXPECT_TRUE(plat::SetWindowTextW(window, other.c_str()) && !UxDeviceWindow::FindRunningWindow(name))
            << plat::EncodeUtf8(other);
    // A window of another class with the name for a title is not it.
    plat::SetWindowTextW(window, name.c_str());
    EXPECT_EQ(UxDeviceWindow::FindRunningWindow(name + L"2"), nullptr);
    wchar_t small[4];
    EXPECT_EQ(plat::GetWindowTextW(window, small, 4), 3);
    EXPECT_EQ(std::wstring(small), name.substr(0, 3));
}

TEST_F(DeviceWindow, TheDesktopsFocusComesAsActivationAndAFlashAsksForAttention)
{
    sip->Show();
    EXPECT_FALSE(device->IsInBackground());
    Display()->SetFocused(false);
    EXPECT_TRUE(device->IsInBackground());
    EXPECT_EQ(plat::GetForegroundWindow(), nullptr);
    Flush();
    EXPECT_EQ(sip->GetState(), UxSipHandler::Shown);
    // Back in front: WM_ACTIVATE, as from a real window.
    Display()->SetFocused(true);
    EXPECT_EQ(plat::GetForegroundWindow(), device->GetHandle());
    Flush();
    EXPECT_EQ(sip->GetState(), UxSipHandler::HideRequested);

    plat::FlashWindow(device->GetHandle(), true);
    EXPECT_EQ(Display()->GetFlashCount(), 1);
    EXPECT_FALSE(plat::FlashWindow(nullptr, true));
    EXPECT_EQ(Display()->GetFlashCount(), 1);
}

TEST_F(DeviceWindow, CloseEndsTheLoopAndRunCallsExitInstance)
{
    auto* popup = new TestPopup("popup", &log);
    desktop->AddChild(popup);
    popups->SetPopup(popup);
    Input().Close();
    EXPECT_TRUE(desktop->Run());
    EXPECT_EQ(log, (Log { "popup:close 0" })); // closed before the program ends
    EXPECT_FALSE(plat::IsWindow(device->GetHandle()));
}

} // namespace
