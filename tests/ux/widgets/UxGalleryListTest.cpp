#include "tests/ux/widgets/WidgetFixture.h"
#include "tools/gallery/Gallery.h"

namespace {

// The gallery's page of scrolling widgets: a strip of chips and 300 buddies in 12 groups.
class GalleryLists : public WidgetTest {
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        gallery = std::make_unique<Gallery>(SkinFolder());
        built = gallery->Open(desktop, L"GalleryLists");
        for (UxWindow* w = gallery->GetPage()->GetFirstChild(); w; w = w->GetNextSibling()) {
            if (auto* l = dynamic_cast<GalleryListView*>(w))
                list = l;
            if (auto* s = dynamic_cast<GalleryChipStrip*>(w))
                strip = s;
        }
        UxPumpFor(0);
    }
    void TearDown() override
    {
        gallery.reset();
        WidgetTest::TearDown();
    }
    void Drag(int x0, int y0, int x1, int y1, int steps = 8)
    {
        Input().PointerDown(x0, y0);
        for (int i = 1; i <= steps; ++i) {
            UxPumpFor(16);
            Input().PointerMove(x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * i / steps);
        }
        UxPumpFor(16);
        Input().PointerUp(x1, y1);
        UxPumpFor(0);
    }

    std::unique_ptr<Gallery> gallery;
    GalleryListView* list = nullptr;
    GalleryChipStrip* strip = nullptr;
    bool built = false;
};

TEST_F(GalleryLists, ListAndStripScrollFoldFilterAndReport)
{
    ASSERT_TRUE(built);
    ASSERT_TRUE(list && strip);
    EXPECT_EQ(list->GetRowCount(), 12 * 26);
    UxPumpFor(1100); // the indicator shown by the filling fades
    Shot("gallery-lists");
    EXPECT_GT(Blue(At(10, 90)), Red(At(10, 90)) + 60); // the first chip
    EXPECT_GT(Green(At(30, 232)), Red(At(30, 232)) + 60); // the first buddy is online
    EXPECT_EQ(At(300, 180), 0xFFFFFFu); // the group row, white beside its name

    Input().PointerDown(300, 230); // the first buddy: lit while pressed, then reported by name
    UxPumpFor(0);
    UxPumpFor(300);
    EXPECT_GT(Blue(At(300, 206)), Red(At(300, 206)) + 60);
    Shot("gallery-lists-selected");
    Input().PointerUp(300, 230);
    UxPumpFor(0);
    UxPumpFor(300);
    EXPECT_EQ(gallery->GetPage()->Events.back(), L"Buddies: 김민수");
    EXPECT_EQ(At(300, 206), 0xFFFFFFu);
    Tap(300, 186); // its group folds: the next group's row moves up under it
    UxPumpFor(700);
    EXPECT_FALSE(list->GetRow(0).expanded);
    EXPECT_EQ(list->RowAtScreenY(210), 26);
    Shot("gallery-lists-folded");
    Tap(300, 186);
    UxPumpFor(700);

    Drag(300, 560, 300, 260); // a quick flick upward
    UxPumpFor(200);
    Shot("gallery-lists-flinging");
    UxPumpFor(4000);
    EXPECT_LT(list->GetYAxis().GetOffset(), -600);
    Drag(400, 108, 100, 108, 4); // the chips sideways
    UxPumpFor(4000);
    EXPECT_LT(strip->GetXAxis().GetOffset(), -300);
    Shot("gallery-lists-scrolled");

    list->SetFilter(L"민수"); // matching buddies under their groups, the rest hidden
    list->OnKeyDown(36, 0); // home
    UxPumpFor(3600);
    Shot("gallery-lists-filtered");
    EXPECT_EQ(list->GetYAxis().GetOffset(), 0);
    EXPECT_LT(list->GetYAxis().GetContentSize(), 12 * 36 + 60 * 56);
    for (int y = 170; y < 600; y += 20) {
        int32_t row = list->RowAtScreenY(y);
        ASSERT_GE(row, 0);
        if (list->GetRow(row).kind == UxListRow::Item) {
            EXPECT_NE(list->GetEntry(row).name.find(L"민수"), std::wstring::npos) << y;
        }
    }
}

} // namespace
