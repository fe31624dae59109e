#include "tests/ux/graphics/GraphicsFixture.h"
#include "ux/core/UxRect.h"

#include <gtest/gtest.h>

#include <type_traits>

using plat::RECT;
using plat::RGB;

namespace {

constexpr plat::COLORREF kWhite = RGB(255, 255, 255);

// A bitmap or font that counts its deaths.
template <typename Base> struct Counted : Base {
    explicit Counted(int& deaths)
        : deaths(deaths)
    {
        if constexpr (std::is_same_v<Base, UxFont>)
            this->Create(UxFontInfo { 12, 0, 0, 0, 0, plat::kTestFontFace });
        else
            this->CreateCompatible(UxBitmapFormat { 4, 4, 32 });
    }
    ~Counted() override { ++deaths; }
    int& deaths;
};

TEST(UxDeviceContext, SelectionsPutPreviousObjectsBackAndDeleteOwnedOnesOnce)
{
    int deaths = 0;
    UxDeviceContext dc;
    ASSERT_TRUE(dc.CreateMemoryDC());
    plat::HBITMAP stock = plat::GetCurrentBitmap(dc.GetHandle());

    auto* owned = new Counted<UxDeviceBitmap>(deaths);
    Counted<UxDeviceBitmap> borrowed(deaths);
    dc.SelectBitmap(owned, UxDeviceContext::OwnedCreated);
    EXPECT_EQ(plat::GetCurrentBitmap(dc.GetHandle()), owned->GetHandle());
    dc.SelectBitmap(owned, UxDeviceContext::OwnedCreated); // again: must survive
    EXPECT_EQ(deaths, 0);
    dc.SelectBitmap(&borrowed, UxDeviceContext::Borrowed);
    EXPECT_EQ(deaths, 1) << "the owned bitmap goes when replaced";
    dc.SelectBitmap(nullptr, 0);
    EXPECT_EQ(plat::GetCurrentBitmap(dc.GetHandle()), stock);

    auto* font = new Counted<UxFont>(deaths);
    dc.SelectFont(font, UxDeviceContext::Owned);
    dc.SelectFont(font, UxDeviceContext::Owned);
    EXPECT_EQ(plat::GetCurrentFont(dc.GetHandle()), font->GetHandle());
    dc.SelectBitmap(&borrowed, UxDeviceContext::Borrowed);
    dc.Release();
    EXPECT_EQ(deaths, 2) << "owned font deleted once, borrowed bitmap kept";
    dc.Release(); // nothing held: nothing happens

    // A wrapped context is not deleted, but its selections are undone.
    plat::HDC handle = plat::CreateCompatibleDC(nullptr);
    stock = plat::GetCurrentBitmap(handle);
    {
        UxDeviceContext wrapper(handle, UxDeviceContext::KeepHandle);
        wrapper.SelectBitmap(&borrowed, UxDeviceContext::Borrowed);
    }
    EXPECT_EQ(plat::GetCurrentBitmap(handle), stock);
    EXPECT_TRUE(plat::DeleteDC(handle));
    UxDeviceContext screen(plat::GetDC(nullptr), UxDeviceContext::ReleaseScreen);
    EXPECT_NE(screen.GetHandle(), nullptr);
}

TEST(UxDeviceContext, FillsTheWholeBitmapForAnEmptyRectAndTextBackModeDecidesTheClipFill)
{
    auto dc = MakeSurface(40, 20);
    dc->SetBackColor(RGB(0, 255, 0));
    EXPECT_EQ(dc->FillRect(kWhite, RECT { 2, 2, 2, 9 }), 1);
    EXPECT_EQ(PixelAt(*dc, 39, 19), kWhite);
    dc->FillRect(RGB(0, 0, 0), RECT { 1, 1, 3, 2 });
    EXPECT_EQ(PixelAt(*dc, 2, 1), RGB(0, 0, 0));
    EXPECT_EQ(PixelAt(*dc, 3, 1), kWhite);

    UxFont font;
    ASSERT_TRUE(font.Create(UxFontInfo { 10, 0, 0, 0, 0, plat::kTestFontFace }));
    dc->SelectFont(&font, UxDeviceContext::Borrowed);
    dc->FillRect(kWhite, {});
    dc->SetBackMode(1);
    ASSERT_TRUE(dc->TextOut(L"a", plat::POINT { 2, 2 }, RECT { 0, 0, 20, 20 }));
    EXPECT_EQ(PixelAt(*dc, 15, 15), kWhite);
    EXPECT_EQ(PixelAt(*dc, 2, 3), RGB(0, 0, 0));
    // Opaque: the clip takes the back colour set before the fills.
    dc->SetBackMode(0);
    ASSERT_TRUE(dc->TextOut(L"a", plat::POINT { 2, 2 }, RECT { 0, 0, 20, 20 }));
    EXPECT_EQ(PixelAt(*dc, 15, 15), RGB(0, 255, 0));
    EXPECT_EQ(PixelAt(*dc, 25, 5), kWhite);
    dc->SelectFont(nullptr, 0);

    UxDeviceContext bare;
    ASSERT_TRUE(bare.CreateMemoryDC());
    EXPECT_EQ(bare.FillRect(RGB(1, 2, 3), RECT {}), 1) << "no bitmap: nothing to fill";
}

// Stretching is left to the device image's draw tests.
TEST(UxDeviceContext, BlitWithAnEmptyDestinationTakesTheSourceSizeAtItsTopLeft)
{
    auto src = MakeSurface(2, 2);
    src->FillRect(RGB(255, 0, 0), RECT {});
    src->FillRect(RGB(0, 0, 255), RECT { 1, 1, 2, 2 });
    auto dst = MakeSurface(6, 6);
    dst->FillRect(kWhite, RECT {});

    ASSERT_TRUE(dst->Blit(*src, RECT { 3, 3, 3, 3 }, RECT {}, plat::SRCCOPY));
    EXPECT_EQ(PixelAt(*dst, 3, 3), RGB(255, 0, 0));
    EXPECT_EQ(PixelAt(*dst, 4, 4), RGB(0, 0, 255));
    EXPECT_EQ(PixelAt(*dst, 5, 5), kWhite);
    EXPECT_EQ(PixelAt(*dst, 2, 2), kWhite);
}

TEST(UxDeviceContext, KeepsWhatWasDrawnSinceAMarkWhileItIsKnown)
{
    auto dc = MakeSurface(64, 64);
    auto other = MakeSurface(64, 64);
    uint64_t mark = UxDeviceContext::GetWriteSerial();
    RECT area;
    ASSERT_TRUE(dc->GetWrittenSince(mark, area));
    EXPECT_TRUE(IsRectEmpty(area));
    dc->FillRect(kWhite, { 2, 2, 10, 10 });
    other->FillRect(kWhite, {}); // another context's drawing is not this one's
    dc->Blit(*other, { 20, 30, 20, 30 }, {}, plat::SRCCOPY); // at the source's size
    ASSERT_TRUE(dc->GetWrittenSince(mark, area));
    EXPECT_FALSE(RectsDiffer(area, { 2, 2, 84, 94 }));
    ASSERT_TRUE(dc->GetWrittenSince(UxDeviceContext::GetWriteSerial(), area));
    EXPECT_TRUE(IsRectEmpty(area));

    mark = UxDeviceContext::GetWriteSerial();
    for (int i = 0; i < 40; ++i) // more than the log keeps
        dc->FillRect(kWhite, { i, 0, i + 1, 1 });
    EXPECT_FALSE(dc->GetWrittenSince(mark, area));
    mark = UxDeviceContext::GetWriteSerial();
    auto* bitmap = new UxDeviceBitmap();
    bitmap->CreateCompatible(UxBitmapFormat { 8, 8, 32 });
    dc->SelectBitmap(bitmap, UxDeviceContext::OwnedCreated); // other pixels altogether
    EXPECT_FALSE(dc->GetWrittenSince(mark, area));
}

} // namespace
