#include "tests/ux/widgets/WidgetFixture.h"
#include "ux/widgets/UxCheckButton.h"
#include "ux/widgets/UxLedAnimation.h"

namespace {

using LedAnimationTest = WidgetTest;

TEST_F(LedAnimationTest, StepsOneWayTwoWayOrNotAtAllOnTheClock)
{
    struct Case {
        const wchar_t* mode;
        std::vector<int32_t> lit;
    } cases[] = {
        { L"OneWay", { 1, 2, 3, 4, 0, 1 } },
        { L"TwoWay", { 1, 2, 3, 4, 3, 2, 1, 0, 1, 2 } },
        { L"Blink", { 0, 0, 0 } },
    };
    for (const Case& c : cases) {
        auto* leds = Add<UxLedAnimation>(L"<_Rect>0, 0, 200, 32</_Rect><NumLeds>4</NumLeds><Interval>1.0</Interval>"
                                         L"<Animation>"
            + std::wstring(c.mode) + L"</Animation>");
        leds->Start();
        std::vector<int32_t> lit;
        for (size_t i = 0; i < c.lit.size(); ++i) {
            UxPumpFor(250); // a quarter of the interval per LED
            lit.push_back(leds->GetLitCount());
        }
        EXPECT_EQ(lit, c.lit) << c.mode;
        leds->SetVisible(false);
        EXPECT_FALSE(leds->IsRunning());
    }
}

TEST_F(LedAnimationTest, SpreadsTheLedsWithEqualMarginsAndRunsWhileVisible)
{
    auto* leds = Add<UxLedAnimation>(L"<_Rect>0, 0, 200, 32</_Rect><NumLeds>4</NumLeds><LedSize>16, 16</LedSize>");
    std::vector<int32_t> lefts;
    for (UxCheckButton* led : leds->GetLeds()) {
        lefts.push_back(led->GetRect().left);
        EXPECT_EQ(led->GetRect().top, 8);
    }
    EXPECT_EQ(lefts, (std::vector<int32_t> { 8, 64, 120, 176 }));

    leds->SetVisible(false);
    leds->SetVisible(true);
    EXPECT_TRUE(leds->IsRunning());

    auto* none = Add<UxLedAnimation>(L"<_Rect>0, 0, 200, 32</_Rect><LedSize>16, 16</LedSize>");
    none->Start(); // without LEDs nothing runs
    EXPECT_FALSE(none->IsRunning());
}

} // namespace
