// The widget gallery on the default skin, as a person sees it; the picture is saved under
// the build folder's screenshots/.
#include "tests/ux/widgets/WidgetFixture.h"
#include "tools/gallery/Gallery.h"
#include "ux/widgets/UxPopup.h"
#include "ux/widgets/UxProgressBar.h"

namespace {

class DefaultSkinGallery : public WidgetTest {
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        // The build copies the default skin beside every test program.
        gallery = std::make_unique<Gallery>(plat::NativePath(GetModuleDirectory()));
        built = gallery->Open(desktop);
        UxPumpFor(0);
    }
    void TearDown() override
    {
        gallery.reset();
        WidgetTest::TearDown();
    }
    std::unique_ptr<Gallery> gallery;
    bool built = false;
};

TEST_F(DefaultSkinGallery, EveryWidgetShowsInTheSkinsColours)
{
    ASSERT_TRUE(built);
    Shot("gallery-default-skin");
    const uint32_t accent = 0x2E7DF6, page = 0xF4F6F9;
    struct Probe {
        int x, y;
        uint32_t colour;
        const char* what;
    } probes[] = {
        { 240, 4, accent, "status bar" },
        { 2, 60, 0xFFFFFF, "unselected tab" },
        { 60, 118, accent, "selected tab's underline" },
        { 336, 184, accent, "primary button" },
        { 240, 140, page, "page between widgets" },
        { 240, 600, 0xFFFFFF, "menu bar" },
        { 227, 602, 0xEF4444, "unread chats" },
        { 275, 602, 0xEF4444, "unread memos" },
    };
    for (const Probe& p : probes)
        EXPECT_EQ(At(p.x, p.y), p.colour) << p.what;
    // The label of the primary button is white on the accent.
    int white = 0;
    for (int x = 300; x < 380; ++x)
        white += At(x, 184) == 0xFFFFFF;
    EXPECT_GT(white, 2);
}

TEST_F(DefaultSkinGallery, TappedWidgetsShowTheirOtherPicture)
{
    ASSERT_TRUE(built);
    Tap(34, 242); // the check box
    Tap(420, 88); // the last tab
    EXPECT_EQ(At(25, 250), 0x2E7DF6u);
    EXPECT_EQ(At(420, 118), 0x2E7DF6u);
    EXPECT_NE(At(60, 118), 0x2E7DF6u);
    Shot("gallery-default-skin-tapped");
}

// The update box's frame and bar over the dimmed gallery: rounded corners keyed out, the
// bar cut to the progress.
TEST_F(DefaultSkinGallery, PopupFramesAreRoundedOverTheDimmedScreen)
{
    ASSERT_TRUE(built);
    auto* box = new UxPopup;
    UxProgressBar bar;
    ASSERT_TRUE(box->ApplySkin(SelectSkinNode(L"UpgradeBox")));
    box->AddChild(&bar);
    ASSERT_TRUE(bar.ApplySkin(FindSkinNode(L"ProgressBar")));
    bar.Progress = 0.6f;
    bar.Update();
    ASSERT_TRUE(box->Popup(nullptr, 0));
    UxPumpFor(0);
    Shot("gallery-default-skin-popup");

    plat::RECT r = box->GetScreenRect();
    ASSERT_EQ(r.right - r.left, 420);
    uint32_t corner = At(r.left, r.top), inside = At(r.left + 30, r.top + 30);
    EXPECT_EQ(inside, 0xFFFFFFu);
    EXPECT_LT(Red(corner), 160) << "the key colour or the frame shows in the corner";
    EXPECT_EQ(At(r.left + 24 + 100, r.top + 112 + 20), 0x2E7DF6u); // the bar, filled
    EXPECT_NE(At(r.left + 24 + 300, r.top + 112 + 20), 0x2E7DF6u); // and beyond the progress
    box->RemoveChild(&bar);
    box->Close(0);
    UxPumpFor(0);
}

} // namespace
