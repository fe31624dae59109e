#include "tests/ux/widgets/ScrollFixture.h"
#include "platform/system/InputPanel.h"
#include "ux/core/UxSipHandler.h"
#include "ux/core/UxRect.h"
#include "ux/markup/UxXmlDocument.h"
#include "ux/widgets/UxListWindow.h"

#include <gtest/gtest.h>

namespace {

using Hooks = std::vector<std::string>;

class ScrollWindow : public ScrollFixture<BandWindow> {
protected:
    void SetUp() override
    {
        ScrollFixture::SetUp();
        window.SetContentSize(472, 2000);
    }
    // What the frame shows at x = 100 from y = top to bottom matches the content at the
    // current offset, and the background outside it.
    void ExpectFrameMatchesOffset()
    {
        UxPumpFor(0);
        for (int y = 5; y < 640; y += 45) {
            int32_t content = y - Offset();
            plat::COLORREF want = content >= 0 && content < window.GetYAxis().GetContentPixels() ? BandColour(content) : 0xFFFFFF;
            ASSERT_EQ(FramePixel(100, y), FrameColour(want)) << "y " << y << " offset " << Offset();
        }
    }
};

TEST_F(ScrollWindow, DragFollowsThePointerOnceBeyondTheSlopAndHalvesPastAnEdge)
{
    Down(200, 500);
    Move(200, 481); // within the slop: nothing moves
    EXPECT_TRUE(window.hooks.empty());
    EXPECT_EQ(Offset(), 0);
    Move(200, 480); // exactly the slop: the drag starts, the content waits for the next move
    EXPECT_EQ(window.hooks, Hooks { "drag" });
    EXPECT_EQ(Offset(), 0);
    Move(200, 400);
    EXPECT_EQ(Offset(), -80);
    Move(200, 400); // the same point again adds no step
    Move(200, 350);
    EXPECT_EQ(Offset(), -130);
    ExpectFrameMatchesOffset();
    Move(200, 500);
    Move(200, 600); // from 20 past the start: half of 100
    EXPECT_EQ(Offset(), 70);
    ExpectFrameMatchesOffset();
    Up(200, 600, 200); // slow release: the edge eats the fling and the content settles
    UxPumpFor(3000);
    EXPECT_EQ(Offset(), 0);
    EXPECT_EQ(window.hooks, (Hooks { "drag", "scroll", "settle", "stop", "settled" }));
    ExpectFrameMatchesOffset();
}

TEST_F(ScrollWindow, FlingSlowsAndStopsInsideTheRange)
{
    window.SetContentSize(472, 5000);
    Down(200, 600);
    Move(200, 570);
    for (int y = 540; y >= 300; y -= 60)
        Move(200, y);
    Up(200, 300);
    int32_t released = -Offset();
    // 60 pixels per 10 ms, limited to 6.67 views a second, times 0.4
    std::vector<int32_t> steps;
    int32_t last = Offset();
    for (int i = 0; i < 30; ++i) {
        UxPumpFor(100);
        steps.push_back(last - Offset());
        last = Offset();
        ExpectFrameMatchesOffset();
    }
    EXPECT_GT(steps[0], steps[5]);
    EXPECT_GT(steps[5], steps[15]);
    EXPECT_EQ(steps.back(), 0);
    EXPECT_LE(-Offset(), released + int32_t(0.4f * 640 * 6.6666665f) + 1);
    EXPECT_GE(-Offset(), released + 1000);
    EXPECT_EQ(window.hooks, (Hooks { "drag", "scroll", "stop" }));
}

TEST_F(ScrollWindow, SpringsBackPastEitherEdge)
{
    struct Case {
        int32_t scrollTo;
        int from, to;
        int32_t settled;
    };
    // Past the start pulling down, past the end pulling up; both released moving outward,
    // so the fling first stretches further before the edge stops it.
    for (const Case& c : { Case { 0, 200, 500, 0 }, Case { -1360, 500, 200, -1360 } }) {
        window.GetYAxis().SetPosition(c.scrollTo);
        window.hooks.clear();
        Down(200, c.from);
        int step = c.to > c.from ? 30 : -30;
        for (int y = c.from + step; y != c.to + step; y += step)
            Move(200, y);
        Up(200, c.to);
        int32_t released = Offset();
        UxPumpFor(50);
        EXPECT_GT(std::abs(Offset() - c.settled), std::abs(released - c.settled));
        UxPumpFor(3000);
        EXPECT_EQ(Offset(), c.settled);
        EXPECT_EQ(window.hooks.back(), "settled");
        ExpectFrameMatchesOffset();
    }
}

TEST_F(ScrollWindow, TouchStopsAFlingAndSnapsBackWhatLiesOutside)
{
    window.GetYAxis().ScrollTo(-1000); // an animated move
    EXPECT_EQ(window.hooks, Hooks { "scroll" });
    UxPumpFor(100);
    int32_t stopped = Offset();
    EXPECT_LT(stopped, -100);
    Down(100, 100);
    Up(100, 100);
    UxPumpFor(500);
    EXPECT_EQ(Offset(), stopped);

    // Left past an edge, by a lot or a single pixel: a touch puts it back at once, no
    // animation; without one it springs back.
    const int32_t end = 640 - 2000;
    for (const int32_t past : { 60, 1, end - 1 }) {
        window.GetYAxis().SetPosition(past);
        Down(100, 100);
        EXPECT_EQ(Offset(), past > 0 ? 0 : end) << past;
        EXPECT_FALSE(window.GetYAxis().IsMoving());
        Up(100, 100);
        window.GetYAxis().SetPosition(past);
        EXPECT_TRUE(window.GetYAxis().Settle()) << past;
        UxPumpFor(1100);
        EXPECT_EQ(Offset(), past > 0 ? 0 : end) << past;
    }
}

TEST_F(ScrollWindow, ReleaseWithoutTimePassingDoesNotFling)
{
    Down(200, 500);
    Move(200, 450, 0);
    Move(200, 300, 0);
    Up(200, 300, 0);
    int32_t released = Offset();
    UxPumpFor(3000);
    EXPECT_EQ(Offset(), released);
    // Short content never scrolls for good: it follows at half speed and comes back.
    window.SetContentSize(472, 300);
    Down(200, 300);
    Move(200, 200);
    Move(200, 100);
    EXPECT_EQ(Offset(), -50);
    Up(200, 100, 300);
    UxPumpFor(3000);
    EXPECT_EQ(Offset(), 0);
}

TEST_F(ScrollWindow, IncrementalPaintsMatchFullPaintsAndRedrawOnlyStrips)
{
    Down(200, 600);
    Move(200, 570);
    Move(200, 560);
    window.contentPaints = 0;
    Move(200, 557);
    UxPumpFor(0);
    // A three-pixel step repaints the uncovered strip and where the old thumb went.
    EXPECT_LE(window.contentPaints, 2);
    ExpectFrameMatchesOffset();
    for (int y = 540; y > 100; y -= 37) {
        Move(200, y);
        ExpectFrameMatchesOffset();
        // The thumb moves over the white margin beside the content and leaves no trail.
        const plat::RECT thumb = window.GetYIndicator().ThumbRect();
        for (int row = 2; row < 640; row += 6) {
            if (row < thumb.top || row >= thumb.bottom)
                ASSERT_EQ(FramePixel(475, row), FrameColour(0xFFFFFF)) << "row " << row << " offset " << Offset();
            else
                ASSERT_NE(FramePixel(475, row), FrameColour(0xFFFFFF)) << "row " << row << " offset " << Offset();
        }
    }
    Up(200, 100);
    // At rest, a part marked dirty is painted once.
    UxPumpFor(4000);
    window.contentPaints = 0;
    window.Invalidate(plat::RECT { 0, 100, 472, 120 });
    UxPumpFor(0);
    EXPECT_EQ(window.contentPaints, 1);
    ExpectFrameMatchesOffset();
    window.SetPaintMode(UxScrollWindow::PaintFull);
    UxPumpFor(300);
    ExpectFrameMatchesOffset();
    window.SetPaintMode(7); // any other mode leaves the surface alone
    window.contentPaints = 0;
    window.Invalidate();
    UxPumpFor(0);
    EXPECT_EQ(window.contentPaints, 0);
}

TEST_F(ScrollWindow, AJumpAndContentChangedBetweenTwoMovesReachTheScreen)
{
    // Moved by its owner, not by a scroll step that asks for a repaint: the picture
    // moved all the same.
    UxPumpFor(0);
    window.GetYAxis().SetPosition(-300);
    ExpectFrameMatchesOffset();
    // Content that changes between two moves of one turn is drawn where the second one
    // takes it, and nowhere else.
    window.GetYAxis().SetPosition(-320);
    window.markedBand = 36;
    window.InvalidateContent({ 0, 360, 472, 370 });
    window.GetYAxis().SetPosition(-345);
    UxPumpFor(0);
    for (int y = 5; y < 40; y += 5)
        EXPECT_EQ(FramePixel(100, y), FrameColour(y + 345 >= 360 && y + 345 < 370 ? BandWindow::kMarked : BandColour(y + 345)))
            << "y " << y;
    window.markedBand = -1;
    window.InvalidateContent({ 0, 360, 472, 370 });
    ExpectFrameMatchesOffset();
    // Content that changed where a step uncovers it, as a line appended at the end, is
    // painted once, with the strip.
    window.markedBand = 99;
    window.InvalidateContent({ 0, 990, 472, 1000 });
    window.paintedArea = 0;
    window.GetYAxis().SetPosition(-365);
    ExpectFrameMatchesOffset();
    EXPECT_EQ(FramePixel(100, 630), FrameColour(BandWindow::kMarked));
    EXPECT_LE(window.paintedArea, 472 * 20); // the strip alone
}

TEST_F(ScrollWindow, AnInputPanelRepaintsEverythingOnlyWhereItTakesRoom)
{
    // No keyboard drawn (the desktop's case): nothing moves for the panel, so a scroll
    // step still paints its strips only. A panel with a size moves windows: a step then
    // paints all it shows.
    for (const plat::RECT panel : { plat::RECT {}, plat::RECT { 0, 400, 480, 640 } }) {
        plat::ResetInputPanel();
        plat::SetInputPanelRect(panel);
        UxSipHandler::GetInstance()->Show();
        UxPumpFor(0);
        window.GetYAxis().SetPosition(-100);
        UxPumpFor(0);
        window.paintedArea = 0;
        window.GetYAxis().SetPosition(-103);
        ExpectFrameMatchesOffset();
        if (IsRectEmpty(panel))
            EXPECT_LT(window.paintedArea, 480 * 640 / 10);
        else
            EXPECT_GE(window.paintedArea, 472 * 640);
        // The panel goes with the next two paints.
        UxSipHandler::GetInstance()->RequestHide();
        for (int paint = 0; paint < 2; ++paint) {
            window.Invalidate();
            UxPumpFor(0);
        }
        ASSERT_EQ(UxSipHandler::GetInstance()->GetState(), UxSipHandler::Hidden);
    }
    plat::ResetInputPanel();
}

TEST_F(ScrollWindow, ReusedPictureSurvivesAParentThatPaintsUnderIt)
{
    // The parent fills its whole area before the window paints: nothing of the old
    // picture may be trusted where it drew.
    RecordingWindow page("page", nullptr, 0x00FF00);
    page.SetRect({ 0, 0, 480, 640 });
    desktop->RemoveChild(&window);
    page.AddChild(&window);
    desktop->AddChild(&page);
    Flush();
    Down(200, 600);
    Move(200, 570);
    for (int y = 560; y > 200; y -= 45) {
        Move(200, y);
        ExpectFrameMatchesOffset();
    }
    Up(200, 200, 300);
    window.Invalidate();
    ExpectFrameMatchesOffset();
    page.RemoveChild(&window);
    desktop->RemoveChild(&page);
}

TEST(UxScrollBar, ThumbShowsTheViewsShareOfTheContent)
{
    struct Case {
        int32_t content, offset;
        plat::RECT thumb;
    };
    const Case cases[] = {
        { 1280, 0, { 472, 0, 478, 320 } }, // twice the view, at the start
        { 1280, -640, { 472, 320, 478, 640 } }, // at the end
        { 300, 0, { 472, 0, 478, 640 } }, // shorter than the view: the whole track
        { 0, 0, {} }, // nothing to scroll: no thumb, no division by zero
    };
    UxScrollWindow window;
    window.SetRect({ 0, 0, 480, 640 });
    for (const Case& c : cases) {
        window.SetContentSize(480, c.content);
        window.GetYAxis().SetPosition(c.offset);
        plat::RECT thumb = window.GetYIndicator().ThumbRect();
        EXPECT_FALSE(RectsDiffer(thumb, c.thumb)) << c.content << " " << c.offset;
    }
    EXPECT_FALSE(RectsDiffer(window.GetYIndicator().TrackRect(), { 472, 0, 480, 640 }));
    window.SetContentSize(960, 640);
    window.GetXAxis().SetPosition(-480);
    EXPECT_FALSE(RectsDiffer(window.GetXIndicator().ThumbRect(), { 240, 632, 480, 638 }));

    // The skin sets each bar; a list's rows reach under its vertical bar.
    UxXmlDocument skin;
    ASSERT_TRUE(skin.LoadText(L"<?xml version=\"1.0\"?><List><_Rect>0, 0, 480, 640</_Rect>"
                              L"<YIndicator><Thick>12</Thick><Margin>3</Margin></YIndicator>"
                              L"<XIndicator><Enabled>False</Enabled></XIndicator></List>"));
    UxListWindow list;
    ASSERT_TRUE(list.ApplySkin(&skin));
    list.SetContentSize(list.GetXAxis().GetContentSize(), 1280);
    EXPECT_FALSE(RectsDiffer(list.GetYIndicator().ThumbRect(), { 468, 0, 477, 320 }));
    EXPECT_EQ(list.GetXAxis().GetContentSize(), 480);
    EXPECT_FALSE(list.GetXIndicator().IsEnabled());
}

TEST_F(ScrollWindow, IndicatorShowsWhileMovingAndFadesOverASecond)
{
    UxScrollBar& bar = window.GetYIndicator();
    bar.StartFade(false); // never shown: no fade unless forced
    EXPECT_FALSE(bar.IsFading());
    Down(200, 500);
    Move(200, 470);
    Move(200, 400);
    UxPumpFor(0);
    EXPECT_TRUE(bar.WasShown());
    // Over the white margin beside the content.
    EXPECT_NE(FramePixel(475, 100), FrameColour(0xFFFFFF));
    Up(200, 400, 200);
    UxPumpFor(2550); // the slow fling ends, then the fade begins
    EXPECT_FALSE(window.GetYAxis().IsMoving());
    EXPECT_TRUE(bar.IsFading());
    uint8_t early = bar.GetAlpha();
    UxPumpFor(400);
    EXPECT_LT(bar.GetAlpha(), early);
    UxPumpFor(700);
    EXPECT_FALSE(bar.IsFading());
    EXPECT_EQ(bar.GetAlpha(), 0);
    UxPumpFor(0);
    EXPECT_EQ(FramePixel(475, 100), FrameColour(0xFFFFFF)); // erased
}

TEST_F(ScrollWindow, WheelScrollsThreeLinesANotchAndSpringsBackFromPastAnEnd)
{
    UxScrollBar& bar = window.GetYIndicator();
    auto wheel = [&](float notches) {
        Input().Wheel(100, 300, notches);
        Flush();
    };
    wheel(-1.0f); // three lines of 20 pixels
    EXPECT_EQ(Offset(), -60);
    EXPECT_TRUE(bar.IsFading()); // shown, then fading as after a drag
    ExpectFrameMatchesOffset();
    for (int i = 0; i < 4; ++i)
        wheel(-0.25f); // a touchpad's parts of a notch add up
    EXPECT_EQ(Offset(), -120);
    wheel(-0.001f); // less than a unit of the wheel: kept for the next turn
    wheel(0.001f);
    EXPECT_EQ(Offset(), -120);

    // Past the start at half speed, and no further than two lines.
    wheel(3.0f);
    EXPECT_EQ(Offset(), 30);
    wheel(1.0f);
    EXPECT_EQ(Offset(), 40);
    UxPumpFor(100); // the wheel still turning: the content stays out
    EXPECT_EQ(Offset(), 40);
    UxPumpFor(1500);
    EXPECT_EQ(Offset(), 0);
    EXPECT_EQ(window.hooks, (Hooks { "settle", "settled" }));
    ExpectFrameMatchesOffset();

    for (int i = 0; i < 30; ++i)
        wheel(-1.0f);
    EXPECT_GE(Offset(), 640 - 2000 - 40);
    UxPumpFor(1500);
    EXPECT_EQ(Offset(), 640 - 2000);
    ExpectFrameMatchesOffset();
    UxPumpFor(1000);
    EXPECT_FALSE(bar.IsFading());
    EXPECT_EQ(bar.GetAlpha(), 0);
}

TEST_F(ScrollWindow, WheelIsPassedOnOverContentThatFitsAndWaitsWhileDragged)
{
    window.SetContentSize(472, 600);
    Input().Wheel(100, 300, -2.0f);
    Flush();
    UxPumpFor(1500);
    EXPECT_EQ(Offset(), 0);
    EXPECT_TRUE(window.hooks.empty());
    EXPECT_FALSE(window.GetYIndicator().IsFading());

    window.SetContentSize(472, 2000);
    Down(200, 500);
    Move(200, 470);
    Move(200, 400);
    const int32_t dragged = Offset();
    Input().Wheel(200, 400, -3.0f);
    Flush();
    EXPECT_EQ(Offset(), dragged);
    Up(200, 400, 200);
}

} // namespace
