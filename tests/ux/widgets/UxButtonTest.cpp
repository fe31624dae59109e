#include "tests/ux/widgets/WidgetFixture.h"
#include "ux/widgets/UxButton.h"
#include "ux/widgets/UxCheckButton.h"

#include <climits>

namespace {

// Bounding box of the pixels inside r that pass keep, screen space; empty when none.
template <typename Keep> plat::RECT Ink(const plat::RECT& r, Keep keep)
{
    plat::RECT box { INT_MAX, INT_MAX, INT_MIN, INT_MIN };
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            if (keep(At(x, y)))
                box = { std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                    std::max(box.bottom, y + 1) };
        }
    }
    return box.left == INT_MAX ? plat::RECT {} : box;
}

bool Light(uint32_t c)
{
    return Red(c) > 200 && Green(c) > 200;
}

const wchar_t* kButton = LR"(<_Rect>10, 10, 120, 40</_Rect>
    <DefaultImage><File>button.png</File></DefaultImage>
    <ClickedImage><File>button_down.png</File></ClickedImage>)";

// The same picture both ways, so the label's ink is compared over the same ground.
const wchar_t* kLabels = LR"(<_Rect>10, 10, 120, 40</_Rect>
    <DefaultImage><File>button.png</File></DefaultImage>
    <DefaultLabel><Text>OK</Text><FontSize>20</FontSize><TextColor>#ffffff</TextColor></DefaultLabel>
    <ClickedLabel><Text>OK</Text><FontSize>20</FontSize><TextColor>#fffffe</TextColor></ClickedLabel>
    <ClickedLabelOffset>1, 1</ClickedLabelOffset>)";

using ButtonTest = WidgetTest;

TEST_F(ButtonTest, PressedShowsClickedImageWhileThePointerStaysOn)
{
    auto* button = Add<UxButton>(kButton);
    Repaint();
    uint32_t normal = At(16, 30);

    Input().PointerDown(70, 30);
    UxPumpFor(0);
    EXPECT_TRUE(button->IsPressed());
    EXPECT_LT(Blue(At(16, 30)), Blue(normal) - 30); // the darker clicked picture

    Input().PointerMove(300, 300); // off the button: the default look again
    UxPumpFor(0);
    EXPECT_FALSE(button->IsPressed());
    EXPECT_EQ(At(16, 30), normal);
    Input().PointerMove(71, 31);
    UxPumpFor(0);
    EXPECT_TRUE(button->IsPressed());
    Input().PointerUp(71, 31);
    UxPumpFor(0);
    EXPECT_FALSE(button->IsPressed());
    EXPECT_EQ(At(16, 30), normal);
}

TEST_F(ButtonTest, PressedShowsTheClickedLabelAtItsOffset)
{
    Add<UxButton>(kLabels);
    Repaint();
    uint32_t normal = At(16, 30);
    plat::RECT label = Ink({ 10, 10, 130, 50 }, Light);
    ASSERT_FALSE(IsRectEmpty(label));
    Input().PointerDown(70, 30);
    UxPumpFor(0);
    EXPECT_EQ(At(16, 30), normal); // no clicked picture: the default one stays
    EXPECT_FALSE(RectsDiffer(Ink({ 10, 10, 130, 50 }, Light), OffsetRect(label, 1, 1)));
    Input().PointerUp(70, 30);
    UxPumpFor(0);
}

TEST_F(ButtonTest, ReportsUpOnlyWhenReleasedInsideAndClickAfterwards)
{
    Add<UxButton>(kButton);
    Tap(70, 30);
    UxPumpFor(200);
    // The hold timer runs on after a quick release; the click follows the release.
    EXPECT_EQ(parent.Codes(), (std::vector<int32_t> { 0, 2, 3, 4 }));

    parent.events.clear();
    Input().PointerDown(70, 30);
    Input().PointerMove(300, 300);
    Input().PointerUp(300, 300);
    UxPumpFor(200);
    EXPECT_EQ(parent.Codes(), (std::vector<int32_t> { 0 })); // moved away: no hold either
}

using CheckButtonTest = WidgetTest;

TEST_F(CheckButtonTest, TogglesOnReleaseInsideBeforeTellingTheParent)
{
    auto* check = Add<UxCheckButton>(LR"(<_Rect>10, 10, 24, 24</_Rect>)");
    struct Step {
        int upX;
        bool checked;
        std::vector<int32_t> codes;
    } steps[] = {
        { 20, true, { 0, 2 } },
        { 20, false, { 0, 2 } },
        { 200, false, { 0 } }, // released outside: unchanged, no up
    };
    for (const Step& step : steps) {
        parent.events.clear();
        Input().PointerDown(20, 20);
        Input().PointerUp(step.upX, 20);
        UxPumpFor(0);
        EXPECT_EQ(check->IsChecked(), step.checked) << step.upX;
        EXPECT_EQ(parent.Codes(), step.codes) << step.upX;
        UxPumpFor(300); // the hold and click of this tap
    }
}

TEST_F(CheckButtonTest, DisabledNeverTogglesButStillReportsHoldAndClick)
{
    auto* check = Add<UxCheckButton>(LR"(<_Rect>10, 10, 24, 24</_Rect>)");
    check->Enabled = 0;
    Input().PointerDown(20, 20);
    Input().PointerMove(21, 21);
    UxPumpFor(100);
    Input().PointerUp(21, 21);
    UxPumpFor(200);
    EXPECT_FALSE(check->IsChecked());
    EXPECT_EQ(parent.Codes(), (std::vector<int32_t> { 3, 4 }));
}

TEST_F(CheckButtonTest, PressedPreviewsTheImageOfTheStateAReleaseWouldGive)
{
    auto* check = Add<UxCheckButton>(LR"(<_Rect>10, 10, 24, 24</_Rect>
        <DefaultImage><File>check.png</File></DefaultImage><CheckedImage><File>check_on.png</File></CheckedImage>)");
    Repaint();
    EXPECT_GT(Green(At(14, 22)), 200); // the grey box
    Input().PointerDown(20, 20);
    UxPumpFor(0);
    EXPECT_LT(Green(At(14, 22)), 180); // the blue one, before the release decides
    Input().PointerUp(20, 20);
    UxPumpFor(0);
    EXPECT_TRUE(check->IsChecked());
    EXPECT_LT(Green(At(14, 22)), 180);
}

} // namespace
