#include "ux/core/UxNavigationController.h"
#include "tests/ux/core/PageFixture.h"
#include "ux/core/UxTransition.h"
#include "ux/core/UxTransitionManager.h"

namespace {

using Log = std::vector<std::string>;

class UxNavigationTest : public ToolkitFixture {
protected:
    void SetUp() override
    {
        ToolkitFixture::SetUp();
        nav = UxNavigationController::GetInstance();
        bar1 = AddPage("bar1", plat::RGB(0x40, 0x40, 0), { 0, 0, 480, 40 });
        bar2 = AddPage("bar2", plat::RGB(0, 0x40, 0x40), { 0, 0, 480, 40 });
        page1 = AddPage("page1", plat::RGB(0x80, 0, 0));
        page2 = AddPage("page2", plat::RGB(0, 0, 0x80));
        page3 = AddPage("page3", plat::RGB(0, 0x80, 0));
    }

    static UxNavigationEntry Entry(UxWindow* bar, UxWindow* page, int32_t kind = 0, int32_t parameter = 0,
        UxTransitionSpec spec = UxTransitionSpec())
    {
        return { UxNavigationItem(bar), UxNavigationItem(page, kind, parameter, spec) };
    }

    // The hooks of one switch: the bar's, then the page's; a running transition defers
    // the old page's Hidden and the new one's Shown to its end.
    static Log Switch(const std::string& oldBar, const std::string& newBar, const std::string& oldPage,
        const std::string& newPage, bool animated = false)
    {
        Log out { oldBar + ":WillHide", oldBar + ":Hidden", newBar + ":WillShow", newBar + ":Shown",
            oldPage + ":WillHide", oldPage + ":Hidden", newPage + ":WillShow", newPage + ":Shown" };
        if (animated) {
            out.erase(out.begin() + 7);
            out.erase(out.begin() + 5);
        }
        return out;
    }

    UxNavigationController* nav = nullptr;
    QuadPage *bar1, *bar2, *page1, *page2, *page3;
};

TEST_F(UxNavigationTest, HookOrderWithoutTransitions)
{
    ASSERT_TRUE(nav->Push(Entry(bar1, page1)));
    EXPECT_EQ(log, (Log { "bar1:WillShow", "bar1:Shown", "page1:WillShow", "page1:Shown" }));
    log.clear();
    ASSERT_TRUE(nav->Push(Entry(bar1, page2)));
    EXPECT_EQ(log, Switch("bar1", "bar1", "page1", "page2")); // the same bar hidden and shown again
    EXPECT_TRUE(bar1->IsVisible());
    log.clear();
    ASSERT_TRUE(nav->Replace(Entry(bar2, page3), false));
    EXPECT_EQ(log, Switch("bar1", "bar2", "page2", "page3"));
    EXPECT_EQ(nav->GetDepth(), 2u);
    log.clear();
    ASSERT_TRUE(nav->Back());
    EXPECT_EQ(log, Switch("bar2", "bar1", "page3", "page1"));
    EXPECT_EQ(nav->GetStatusBar(), bar1);
    EXPECT_FALSE(page3->IsVisible());
    Repaint();
    EXPECT_EQ(At(10, 50), page1->Colour(0));
    EXPECT_EQ(At(10, 10), bar1->Colour(0));
}

TEST_F(UxNavigationTest, ReplaceKeepingTheEntryAnimatesBackAsTheFirstPush)
{
    ASSERT_TRUE(nav->Push(Entry(bar1, page1)));
    ASSERT_TRUE(nav->Push(Entry(bar1, page2, 0, 1, UxTransitionSpec(0.2f, 0))));
    UxPumpFor(300);
    ASSERT_TRUE(nav->Replace(Entry(bar1, page3), true));
    EXPECT_EQ(nav->GetPage(), page3);
    EXPECT_TRUE(page3->IsVisible());
    ASSERT_TRUE(nav->Back());
    const UxTransitionRequest& running
        = UxTransitionManager::GetInstance()->GetTransitions()[0]->GetRequest();
    EXPECT_TRUE(running.Source == page3 && running.Kind == 0 && running.Parameter == 0);
}

TEST_F(UxNavigationTest, RefusedAndTrivialChanges)
{
    EXPECT_FALSE(nav->Back()); // empty
    EXPECT_FALSE(nav->SetPage(page1));
    ASSERT_TRUE(nav->Push(Entry(bar1, page1)));
    log.clear();
    EXPECT_FALSE(nav->Back()); // one entry: nothing below
    EXPECT_EQ(nav->GetDepth(), 1u);
    EXPECT_TRUE(page1->IsVisible());

    EXPECT_TRUE(nav->SetPage(page1));
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(nav->SetPage(page2));
    EXPECT_EQ(log, (Log { "page1:WillHide", "page1:Hidden", "page2:WillShow", "page2:Shown" }));
    EXPECT_EQ(nav->Top().Items[UxNavigationEntry::Page].Window, page2);

    // After Clear a push comes from nothing: no transition, even when asked for.
    nav->Clear();
    EXPECT_EQ(nav->GetPage(), nullptr);
    ASSERT_TRUE(nav->Push(Entry(bar2, page3, 3, 0, UxTransitionSpec(0.5f, 0))));
    EXPECT_EQ(UxTransitionManager::GetInstance()->GetCount(), 0u);

    // Replace on an empty stack pushes.
    nav->Clear();
    ASSERT_TRUE(nav->Replace(Entry(bar1, page1), false));
    EXPECT_EQ(nav->GetDepth(), 1u);

    // A transition that cannot start fails the push; the entry stays.
    QuadPage* odd = AddPage("odd", 0x123456, { 0, 40, 400, 640 });
    EXPECT_FALSE(nav->Push(Entry(bar1, odd, 0, 0, UxTransitionSpec(0.5f, 0))));
    EXPECT_EQ(nav->GetDepth(), 2u);
    EXPECT_TRUE(page1->IsVisible());
}

// The two pages pushed and popped with a slide: the old page's Hidden and the new one's
// Shown wait for its end, and halfway each time the screen shows half of each page.
TEST_F(UxNavigationTest, PushAndBackWithASlideHalfway)
{
    ASSERT_TRUE(nav->Push(Entry(bar1, page1)));
    Repaint();
    log.clear();
    ASSERT_TRUE(nav->Push(Entry(bar1, page2, 0, 1, UxTransitionSpec(0.4f, 0))));
    EXPECT_EQ(log, Switch("bar1", "bar1", "page1", "page2", true));
    EXPECT_EQ(nav->GetPage(), page2);
    UxPumpFor(200);
    EXPECT_EQ(At(120, 190), page1->Colour(1)); // the old page leaves to the left
    EXPECT_EQ(At(360, 190), page2->Colour(0)); // the new one follows from the right
    log.clear();
    UxPumpFor(300);
    EXPECT_EQ(log, (Log { "page1:Hidden", "page2:Shown" }));
    EXPECT_EQ(At(120, 190), page2->Colour(0));

    log.clear(); // Back runs the reversed slide.
    ASSERT_TRUE(nav->Back());
    EXPECT_EQ(log, Switch("bar1", "bar1", "page2", "page1", true));
    UxPumpFor(200);
    EXPECT_EQ(At(120, 190), page1->Colour(1));
    EXPECT_EQ(At(360, 190), page2->Colour(0));
    UxPumpFor(300);
    EXPECT_EQ(log.back(), "page1:Shown");
    EXPECT_EQ(At(120, 190), page1->Colour(0));
    EXPECT_EQ(At(360, 190), page1->Colour(1));
    EXPECT_FALSE(page2->IsVisible());
}

} // namespace
