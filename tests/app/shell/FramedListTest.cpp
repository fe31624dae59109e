// The frame every list view shares: the rows' height from the skin, and what a row shows
// under its items, selected or not.
#include "app/shell/FramedList.h"
#include "tests/app/shell/OfflineApp.h"
#include "ux/graphics/UxDeviceBitmap.h"
#include "ux/graphics/UxDeviceContext.h"
#include "ux/markup/UxXmlDocument.h"

namespace {

// Rows that draw nothing of their own, 72 pixels high unless the skin says otherwise.
class PlainList : public FramedList {
public:
    PlainList()
        : FramedList(72)
    {
    }
    using FramedList::AddItemRows;

protected:
    bool DrawItems(UxListItemPainter&, int32_t, bool) override { return true; }
};

bool Build(PlainList& list, const std::wstring& keys)
{
    UxXmlDocument doc;
    return doc.LoadText(L"<?xml version=\"1.0\"?><View><_Rect>0, 0, 480, 400</_Rect>" + keys + L"</View>")
        && list.ApplySkin(&doc);
}

TEST(FramedList, RowsAreAsHighAsTheSkinSaysUpToTheScreen)
{
    AppDriver driver(Offline());
    ASSERT_TRUE(driver.Start());
    const struct {
        const wchar_t* height;
        int32_t rows;
    } cases[] = {
        { nullptr, 72 },
        { L"40", 40 },
        { L"640", 640 },
        { L"641", 72 },
        { L"0", 72 },
        { L"-40", 72 },
        { L"2147483647", 72 },
    };
    for (const auto& c : cases) {
        PlainList list;
        const std::wstring key = c.height
            ? std::wstring(L"<_TableViewItemHeight>") + c.height + L"</_TableViewItemHeight>"
            : L"";
        ASSERT_TRUE(Build(list, key));
        EXPECT_EQ(list.GetItemHeight(), c.rows) << (c.height ? c.height : L"none");
    }
}

TEST(FramedList, ASelectedRowWithoutASelectionBarIsFilledLikeTheOthers)
{
    AppDriver driver(Offline());
    ASSERT_TRUE(driver.Start());
    PlainList list;
    ASSERT_TRUE(
        Build(list, L"<_TableViewItemHeight>40</_TableViewItemHeight><_BackColor>#336699</_BackColor>"));
    list.AddItemRows(2);
    list.SetSelection(0);

    UxDeviceContext surface;
    auto* bitmap = new UxDeviceBitmap;
    ASSERT_TRUE(surface.CreateMemoryDC() && bitmap->CreateDIB(UxBitmapFormat { 480, 640, 32 }));
    surface.SelectBitmap(bitmap, UxDeviceContext::OwnedCreated);
    surface.FillRect(0x00FF00, plat::RECT { 0, 0, 480, 640 });
    for (int32_t row = 0; row < 2; ++row) {
        const plat::RECT r = list.GetRowRect(row);
        list.DrawRow(&surface, row, r, plat::RECT { 0, 0, r.right - r.left, r.bottom - r.top });
    }
    const auto pixel
        = [&](int x, int y) { return static_cast<const uint32_t*>(bitmap->GetBits())[y * 480 + x]; };
    EXPECT_EQ(pixel(10, 10), pixel(10, 50)); // the selected row as the other
    EXPECT_NE(pixel(10, 10), pixel(10, 300)); // and not what was there before
}

} // namespace
