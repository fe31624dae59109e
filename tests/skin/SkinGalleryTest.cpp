// The widget gallery on the default skin, as a person sees it; the picture is saved under
// the build folder's screenshots/.
#include "tests/ux/widgets/WidgetFixture.h"
#include "tools/gallery/Gallery.h"

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

} // namespace
