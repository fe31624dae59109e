#include "ux/core/UxWindow.h"
#include "tests/support/DesktopFixture.h"
#include "tests/support/UxPump.h"
#include "ux/core/UxRect.h"
#include "ux/graphics/UxDeviceContextPool.h"

#include <gtest/gtest.h>

namespace {

using Log = std::vector<std::string>;

TEST(UxRect, EdgesCountAsInsideButTouchingRectsDoNotOverlap)
{
    plat::RECT a { 0, 0, 10, 10 };
    EXPECT_TRUE(PointInRect(a, { 10, 10 }));
    EXPECT_FALSE(PointInRect(a, { 11, 5 }));
    EXPECT_FALSE(IntersectRect(a, { 10, 0, 20, 10 }));
    plat::RECT out;
    ASSERT_TRUE(IntersectRect(a, { 5, -5, 20, 5 }, &out));
    EXPECT_FALSE(RectsDiffer(out, { 5, 0, 10, 5 }));
    EXPECT_TRUE(ContainsRect(a, { 0, 0, 10, 10 }));
    EXPECT_FALSE(ContainsRect(a, { 0, 0, 11, 10 }));
    UnionRect(a, { -5, 2, 3, 30 });
    EXPECT_FALSE(RectsDiffer(a, { -5, 0, 10, 30 }));
}

TEST(UxRect, AnOffsetStopsAtTheEndsOfTheIntRange)
{
    // A skin rectangle reaching the end of the range, moved onto a row further down.
    EXPECT_FALSE(RectsDiffer(OffsetRect({ 20, 44, INT32_MAX, INT32_MAX }, 0, 60), { 20, 104, INT32_MAX, INT32_MAX }));
    EXPECT_FALSE(RectsDiffer(OffsetRect({ INT32_MIN, -5, 3, 4 }, -1, 1), { INT32_MIN, -4, 2, 5 }));
}

TEST(UxWindow, TreeKeepsSiblingOrderAndConvertsBetweenSpaces)
{
    UxWindow root, a, b, c;
    root.AddChild(&a);
    root.AddChild(&b);
    root.AddChild(&c);
    root.RemoveChild(&b);
    EXPECT_TRUE(a.GetNextSibling() == &c && c.GetPrevSibling() == &a && !b.GetParent());
    root.RemoveChild(&c);
    EXPECT_TRUE(root.GetFirstChild() == &a && root.GetLastChild() == &a);
    root.AddChild(&c);
    root.RemoveChildren();
    EXPECT_TRUE(!root.GetFirstChild() && !root.GetLastChild() && !a.GetParent() && !c.GetParent());
    root.AddChild(&a);

    root.SetRect({ 5, 5, 100, 100 });
    root.SetOwnSurface(true);
    a.SetRect({ 10, 20, 50, 60 });
    a.AddChild(&b);
    b.SetRect({ 1, 2, 5, 6 });
    EXPECT_FALSE(RectsDiffer(b.GetScreenRect(), { 16, 27, 20, 31 }));
    EXPECT_EQ(b.ScreenToClient(plat::POINT { 17, 29 }).y, 2);
    // b draws into root's surface, offset by a and itself.
    EXPECT_EQ(b.GetSurfaceOffset().y, 22);
    a.SetOwnSurface(true);
    EXPECT_EQ(b.GetSurfaceOffset().y, 2);
}

TEST(UxWindow, CaptureAndFocusNotifyOldAndNewAndForgetDeletedWindows)
{
    Log log;
    RecordingWindow a("a", &log), b("b", &log);
    a.SetCapture(true);
    a.SetCapture(true); // already held: nothing
    b.SetCapture(true);
    b.SetCapture(false);
    // Clearing tells the old holder and then the window itself, which may be the same.
    EXPECT_EQ(log, (Log { "a:capture+", "a:capture-", "b:capture+", "b:capture-", "b:capture-" }));
    EXPECT_EQ(UxWindow::CapturedWindow, nullptr);

    log.clear();
    {
        RecordingWindow gone("gone", &log);
        gone.SetFocus(true);
        a.SetFocus(true);
        EXPECT_EQ(UxWindow::PreviousFocusedWindow, &gone);
        gone.SetCapture(true);
    }
    EXPECT_EQ(log, (Log { "gone:focus+", "gone:focus-", "a:focus+", "gone:capture+" }));
    EXPECT_EQ(UxWindow::PreviousFocusedWindow, nullptr);
    EXPECT_EQ(UxWindow::CapturedWindow, nullptr);
    EXPECT_TRUE(a.IsFocused());
    a.SetFocus(false);
    EXPECT_EQ(UxWindow::PreviousFocusedWindow, &a);
    UxWindow::PreviousFocusedWindow = nullptr;
}

TEST(UxWindow, VisibilityAndRectNotifyOnlyOnChangeAndTweenWithASpec)
{
    UxTimeFixture time;
    Log log;
    RecordingWindow w("w", &log);
    w.SetVisible(true);
    w.SetRect({});
    EXPECT_TRUE(log.empty());
    w.SetVisible(false);
    w.SetVisible(false);
    w.SetRect({ 0, 0, 10, 10 });
    w.SetPosition({ 5, 5 });
    w.SetSize(20, 30);
    EXPECT_EQ(log, (Log { "w:visible-", "w:rect", "w:rect", "w:rect" }));
    EXPECT_FALSE(RectsDiffer(w.GetRect(), { 5, 5, 25, 35 }));

    // With a spec the rect moves step by step; the hook tells the target once.
    log.clear();
    w.SetTransitionSpec(UxTransitionSpec(0.1f, 0));
    w.SetRect({ 105, 0, 205, 50 });
    EXPECT_EQ(log, (Log { "w:rect" }));
    UxPumpFor(50);
    EXPECT_TRUE(w.IsRectAnimating());
    EXPECT_TRUE(w.GetRect().left > 5 && w.GetRect().left < 105) << w.GetRect().left;
    UxPumpFor(100);
    EXPECT_FALSE(RectsDiffer(w.GetRect(), { 105, 0, 205, 50 }));
    EXPECT_FALSE(w.IsRectAnimating());
}

TEST(UxWindow, FadeOutStaysVisibleUntilItEndsAndConsumesTheSpec)
{
    UxTimeFixture time;
    Log log;
    RecordingWindow w("w", &log);
    w.SetOwnSurface(true);
    w.SetTransitionSpec(UxTransitionSpec(0.2f, 0));
    w.SetVisible(false);
    EXPECT_EQ(log, (Log { "w:visible-" }));
    EXPECT_TRUE(w.IsVisible());
    w.SetRect({ 0, 0, 10, 10 }); // the transition is used up: at once
    EXPECT_FALSE(w.IsRectAnimating());
    UxPumpFor(100);
    EXPECT_TRUE(w.IsVisible());
    EXPECT_NEAR(w.GetAlpha(), 127, 3);
    UxPumpFor(150);
    EXPECT_FALSE(w.IsVisible());

    RecordingWindow plain("plain", nullptr);
    plain.SetTransitionSpec(UxTransitionSpec(0.1f, 0));
    plain.SetVisible(false); // no surface to fade: it goes at once or at the end, never stays
    UxPumpFor(200);
    EXPECT_FALSE(plain.IsVisible());
}

TEST(UxWindow, SizePropagatesTheParentsOwnSizeToChildrenAndStopsOnRefusal)
{
    Log log;
    RecordingWindow root("root", &log), a("a", &log), b("b", &log), c("c", &log);
    root.SetRect({ 0, 0, 300, 400 });
    root.AddChild(&a);
    root.AddChild(&b);
    a.SetRect({ 0, 0, 30, 40 });
    a.AddChild(&c);
    log.clear();
    EXPECT_TRUE(root.PropagateSize(300, 400));
    EXPECT_EQ(log, (Log { "root:size 300x400", "a:size 300x400", "c:size 30x40", "b:size 300x400" }));
    log.clear();
    a.sizeResult = false;
    EXPECT_FALSE(root.PropagateSize(300, 400));
    EXPECT_EQ(log, (Log { "root:size 300x400", "a:size 300x400" }));
}

TEST(UxWindow, InputDefaultsReportToTheParentOnlyInside)
{
    Log log;
    RecordingWindow parent("p", &log), child("c", &log);
    parent.AddChild(&child);
    parent.SetRect({ 10, 10, 110, 110 });
    child.SetRect({ 10, 10, 20, 20 });
    log.clear();
    EXPECT_TRUE(child.UxWindow::OnPointerUp(25, 25)); // (15, 15) in the parent: inside
    EXPECT_TRUE(child.UxWindow::OnPointerUp(40, 40)); // outside: not reported
    EXPECT_TRUE(child.UxWindow::OnPointerClick(30, 30));
    EXPECT_EQ(log, (Log { "p:child c 2", "p:child c 4" }));
    EXPECT_EQ(UxWindow::EventParam1, 30u);
    EXPECT_TRUE(child.UxWindow::OnKeyDown(13, 99));
    EXPECT_EQ(UxWindow::EventParam1, 13u);
}

TEST(UxWindow, DrawToPutsTheWindowBackEvenWhenPaintingFails)
{
    UxDeviceContextPool pool;
    UxDeviceContext* surface = pool.Load({ 50, 50 }, nullptr);
    Log log;
    RecordingWindow parent("p", &log), first("first", &log), middle("middle", &log), last("last", &log);
    parent.AddChild(&first);
    parent.AddChild(&middle);
    parent.AddChild(&last);
    middle.SetOwnSurface(true);
    middle.SetRect({ 5, 6, 25, 26 });
    for (bool result : { true, false }) {
        middle.paintResult = result;
        EXPECT_EQ(middle.DrawTo(surface, { 10, 10, 30, 30 }, { 10, 10 }), result);
        EXPECT_EQ(middle.GetParent(), &parent);
        EXPECT_EQ(first.GetNextSibling(), &middle);
        EXPECT_EQ(middle.GetNextSibling(), &last);
        EXPECT_TRUE(middle.HasOwnSurface());
        EXPECT_FALSE(RectsDiffer(middle.GetRect(), { 5, 6, 25, 26 }));
    }
    pool.UnloadAll();
}

} // namespace
