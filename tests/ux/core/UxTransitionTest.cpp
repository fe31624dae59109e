#include "ux/core/UxTransition.h"
#include "tests/ux/core/PageFixture.h"
#include "ux/core/UxTransitionEffect.h"
#include "ux/core/UxTransitionManager.h"
#include "ux/graphics/UxDeviceContextPool.h"

namespace {

class UxTransitionTest : public ToolkitFixture {
protected:
    void SetUp() override
    {
        ToolkitFixture::SetUp();
        source = AddPage("source", plat::RGB(0x80, 0, 0));
        target = AddPage("target", plat::RGB(0, 0, 0x80));
        ShowSource();
    }

    // Back to the source alone on screen, for the next case.
    void ShowSource()
    {
        target->SetVisible(false);
        source->SetVisible(true);
        Repaint();
    }

    // Linear over one second, so the middle is p = 0.5 exactly.
    bool Start(int32_t kind, int32_t parameter, UxWindow* from = nullptr, UxWindow* to = nullptr)
    {
        return UxTransitionManager::GetInstance()->Add(
            { from ? from : source, to ? to : target, kind, parameter, UxTransitionSpec(1.0f, 0) });
    }

    // Colours at the centres of the page's quadrants (top-left, top-right, bottom-left,
    // bottom-right).
    std::vector<plat::COLORREF> Quadrants()
    {
        return { At(120, 190), At(360, 190), At(120, 490), At(360, 490) };
    }
    std::vector<plat::COLORREF> All(QuadPage* page)
    {
        return { page->Colour(0), page->Colour(1), page->Colour(2), page->Colour(3) };
    }

    QuadPage* source = nullptr;
    QuadPage* target = nullptr;
};

// Which half of which page each half of the screen shows halfway through a slide, along
// the slide's axis, by kind (row) and parameter (column): "TF SN" = the near half (left or
// top) shows the target's far half, the far half shows the source's near half.
const char* const kSlideMiddles[3][4] = {
    { "TF SN", "SF TN", "TF SN", "SF TN" },
    { "TF SF", "SN TN", "TF SF", "SN TN" },
    { "TN SN", "SF TF", "TN SN", "SF TF" },
};

TEST_F(UxTransitionTest, SlidesAtStartMiddleAndEnd)
{
    for (int kind = 0; kind < 3; ++kind)
        for (int parameter = 0; parameter < 4; ++parameter) {
            SCOPED_TRACE(testing::Message() << "kind " << kind << " parameter " << parameter);
            ASSERT_TRUE(Start(kind, parameter));
            EXPECT_FALSE(source->IsVisible());
            EXPECT_FALSE(target->IsVisible());
            Repaint();
            EXPECT_EQ(Quadrants(), All(source));

            UxPumpFor(500);
            bool horizontal = parameter < 2;
            // Quadrant of a page seen at screen quadrant q when the slide shows that page's
            // near or far half in q's half.
            auto seen = [&](int q, const char* half) {
                QuadPage* page = half[0] == 'S' ? source : target;
                int along = half[1] == 'N' ? 0 : 1;
                int quadrant = horizontal ? (q / 2) * 2 + along : along * 2 + q % 2;
                return page->Colour(quadrant);
            };
            std::vector<plat::COLORREF> expected;
            for (int q = 0; q < 4; ++q) {
                int screenHalf = horizontal ? q % 2 : q / 2;
                expected.push_back(seen(q, kSlideMiddles[kind][parameter] + (screenHalf ? 3 : 0)));
            }
            EXPECT_EQ(Quadrants(), expected);

            UxPumpFor(600);
            EXPECT_EQ(UxTransitionManager::GetInstance()->GetCount(), 0u);
            EXPECT_TRUE(target->IsVisible());
            EXPECT_EQ(Quadrants(), All(target));
            ShowSource();
        }
}

TEST_F(UxTransitionTest, FadeAndZoomsAtStartMiddleAndEnd)
{
    for (int32_t kind : { 3, 4, 5 }) {
        SCOPED_TRACE(testing::Message() << "kind " << kind);
        ASSERT_TRUE(Start(kind, 0));
        Repaint();
        EXPECT_EQ(Quadrants(), All(source));

        UxPumpFor(500);
        if (kind == 3) {
            // Source over target at alpha 127.
            plat::COLORREF mixed = At(120, 190);
            EXPECT_NEAR(plat::GetRValue(mixed), 0x80 * 127 / 255, 1);
            EXPECT_NEAR(plat::GetBValue(mixed), 0x80 * 128 / 255, 1);
        } else {
            // A half-size picture centred on the page: 120..360 by 190..490.
            QuadPage* inner = kind == 4 ? source : target;
            QuadPage* outer = kind == 4 ? target : source;
            EXPECT_EQ(At(130, 200), inner->Colour(0));
            EXPECT_EQ(At(350, 480), inner->Colour(3));
            EXPECT_EQ(At(110, 200), outer->Colour(0));
            EXPECT_EQ(At(370, 600), outer->Colour(3));
        }

        UxPumpFor(600);
        EXPECT_EQ(Quadrants(), All(target));
        ShowSource();
    }
}

TEST_F(UxTransitionTest, FailedStartLeavesNothingBehind)
{
    UxDeviceContextPool* pool = UxDeviceContextPool::GetInstance();
    QuadPage* small = AddPage("small", plat::RGB(0, 0x80, 0), { 0, 40, 480, 600 });
    EXPECT_FALSE(Start(0, 0, source, small));
    UxWindow plain; // no surface of its own
    EXPECT_FALSE(Start(0, 0, &plain, target));
    EXPECT_FALSE(Start(0, 0, source, &plain));

    // A target that cannot paint fails after the source was captured: all undone.
    UxDeviceContext* sourceSurface = source->GetSurface();
    target->failPaint = true;
    EXPECT_FALSE(Start(1, 0));
    EXPECT_FALSE(pool->IsHeld(sourceSurface));
    EXPECT_EQ(UxTransitionManager::GetInstance()->GetCount(), 0u);
    EXPECT_TRUE(source->IsVisible());
    EXPECT_FALSE(target->IsVisible());

    // The screen still updates.
    target->failPaint = false;
    source->SetVisible(false);
    target->SetVisible(true);
    Repaint();
    EXPECT_EQ(Quadrants(), All(target));
}

TEST_F(UxTransitionTest, RemoveAllLetsTheSurfacesGo)
{
    ASSERT_TRUE(Start(3, 0));
    UxDeviceContext* surface = source->GetSurface();
    EXPECT_TRUE(UxDeviceContextPool::GetInstance()->IsHeld(surface));
    log.clear();
    UxTransitionManager::GetInstance()->RemoveAll();
    EXPECT_FALSE(UxDeviceContextPool::GetInstance()->IsHeld(surface));
    EXPECT_FALSE(UxTransitionManager::GetInstance()->IsRunning());
    UxPumpFor(1100);
    EXPECT_TRUE(log.empty()); // no end hooks, no step reaches the deleted transition
}

// A press on the part of a transition that already shows the arriving page where it will
// stay waits for the end and lands there; one on a part still moving, one that turns into
// a drag and one whose screens a reset took away are not delivered.
TEST_F(UxTransitionTest, APressWhereTheArrivingPageLooksStillLandsWhenItEnds)
{
    plat::DisplayInput& input = plat::GetDisplay()->GetInput();
    auto tap = [&](int x, int y) {
        input.PointerDown(x, y);
        input.PointerUp(x, y);
        UxPumpFor(0);
    };
    auto presses = [&] {
        std::vector<std::string> seen;
        for (const std::string& entry : log)
            if (entry.find(":Down") != std::string::npos || entry.find(":Click") != std::string::npos)
                seen.push_back(entry);
        return seen;
    };
    using Seen = std::vector<std::string>;

    // An uncover to the right, halfway: the left half shows the target at rest.
    ASSERT_TRUE(Start(2, 0));
    UxPumpFor(500);
    log.clear();
    tap(360, 300); // the source, still sliding
    tap(120, 300);
    tap(130, 310); // one press waits at a time
    EXPECT_EQ(presses(), Seen {});
    UxPumpFor(700);
    EXPECT_EQ(presses(), (Seen { "target:Down 120,300", "target:Click" }));
    ShowSource();

    // Still pressed when it ends: the press lands, and the release follows it there.
    ASSERT_TRUE(Start(2, 0));
    UxPumpFor(500);
    log.clear();
    input.PointerDown(100, 300);
    UxPumpFor(700);
    EXPECT_EQ(presses(), Seen { "target:Down 100,300" });
    input.PointerUp(100, 300);
    UxPumpFor(0);
    UxPumpFor(200);
    EXPECT_EQ(presses(), (Seen { "target:Down 100,300", "target:Click" }));
    ShowSource();

    // Dragged on the still part, or pressed before a reset: nothing lands.
    for (bool drag : { true, false }) {
        ASSERT_TRUE(Start(2, 0));
        UxPumpFor(500);
        log.clear();
        input.PointerDown(100, 300);
        if (drag) {
            input.PointerMove(100, 330);
            input.PointerUp(100, 330);
        } else {
            UxPumpFor(0);
            UxTransitionManager::GetInstance()->RemoveAll();
            source->SetVisible(false);
            target->SetVisible(true);
            input.PointerUp(100, 300);
        }
        UxPumpFor(700);
        EXPECT_EQ(presses(), Seen {}) << (drag ? "drag" : "reset");
        ShowSource();
    }
}

TEST(UxTransitionEffect, WhereTheTargetAlreadyShowsAtRest)
{
    const struct {
        int32_t kind, parameter;
        float p;
        plat::POINT point;
        bool atRest;
    } cases[] = {
        { 2, 0, 0.5f, { 100, 300 }, true }, // uncovered, on the left
        { 2, 0, 0.5f, { 300, 300 }, false }, // the source leaving to the right
        { 2, 3, 0.25f, { 10, 500 }, true }, // the source leaving upwards bares the bottom
        { 2, 3, 0.25f, { 10, 100 }, false },
        { 1, 2, 0.01f, { 10, 500 }, false }, // a cover still moves: 6 pixels to go
        { 1, 2, 0.001f, { 10, 500 }, true }, // less than a pixel: where it stays
        { 0, 1, 0.3f, { 400, 10 }, false },
        { 3, 0, 0.5f, { 10, 10 }, false }, // a cross-fade still shows the source
        { 3, 0, 0.003f, { 10, 10 }, true },
        { 4, 0, 0.5f, { 10, 10 }, true }, // around the shrinking source
        { 4, 0, 0.5f, { 240, 300 }, false },
        { 5, 0, 0.2f, { 10, 10 }, false }, // a growing target is not where it stays
        { 5, 0, 0.0f, { 10, 10 }, true },
        { 2, 0, 0.5f, { 480, 300 }, false }, // outside
        { 7, 0, 0.0f, { 10, 10 }, false }, // no such effect
    };
    for (const auto& c : cases)
        EXPECT_EQ(UxTransitionShowsTargetAt(c.point, 480, 600, c.p, c.kind, c.parameter), c.atRest)
            << "kind " << c.kind << " parameter " << c.parameter << " p " << c.p << " at " << c.point.x << ","
            << c.point.y;
}

TEST(UxTransitionRequest, ReverseTurnsEverythingRound)
{
    UxWindow a, b;
    std::vector<std::vector<int>> reversed;
    for (int kind = 0; kind < 6; ++kind) {
        UxTransitionRequest r
            = UxTransitionRequest { &a, &b, kind, kind % 4, UxTransitionSpec(0.3f, 5) }.Reverse();
        reversed.push_back({ r.Kind, r.Parameter, r.Source == &b && r.Target == &a, r.Spec.easing });
    }
    EXPECT_EQ(reversed,
        (std::vector<std::vector<int>> { { 0, 1, 1, 5 }, { 2, 0, 1, 5 }, { 1, 3, 1, 5 }, { 3, 2, 1, 5 },
            { 5, 1, 1, 5 }, { 4, 0, 1, 5 } }));
}

} // namespace
