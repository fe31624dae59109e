#include "tests/ux/graphics/GraphicsFixture.h"

#include <gtest/gtest.h>

using plat::RECT;
using plat::RGB;

namespace {

constexpr plat::COLORREF kWhite = RGB(255, 255, 255);

struct CountedBitmap : UxDeviceBitmap {
    explicit CountedBitmap(int& deaths)
        : deaths(deaths)
    {
        CreateCompatible(UxBitmapFormat { 4, 4, 32 });
    }
    ~CountedBitmap() override { ++deaths; }
    int& deaths;
};

struct CountedFont : UxFont {
    explicit CountedFont(int& deaths)
        : deaths(deaths)
    {
        Create(UxFontInfo { 12, 0, 0, 0, 0, plat::kTestFontFace });
    }
    ~CountedFont() override { ++deaths; }
    int& deaths;
};

TEST(UxDeviceContext, SelectionsPutPreviousObjectsBackAndDeleteOwnedOnesOnce)
{
    int deaths = 0;
    UxDeviceContext dc;
    ASSERT_TRUE(dc.CreateMemoryDC());
    EXPECT_EQ(dc.GetReleaseKind(), UxDeviceContext::DeleteHandle);
    plat::HBITMAP stock = plat::GetCurrentBitmap(dc.GetHandle());

    auto* owned = new CountedBitmap(deaths);
    CountedBitmap borrowed(deaths);
    EXPECT_EQ(dc.SelectBitmap(owned, UxDeviceContext::OwnedCreated), 1);
    EXPECT_EQ(plat::GetCurrentBitmap(dc.GetHandle()), owned->GetHandle());
    EXPECT_EQ(dc.GetWidth(), 4);
    dc.SelectBitmap(owned, UxDeviceContext::OwnedCreated); // again: must survive
    EXPECT_EQ(deaths, 0);
    dc.SelectBitmap(&borrowed, UxDeviceContext::Borrowed);
    EXPECT_EQ(deaths, 1) << "the owned bitmap goes when replaced";
    EXPECT_EQ(plat::GetCurrentBitmap(dc.GetHandle()), borrowed.GetHandle());
    dc.SelectBitmap(nullptr, 0);
    EXPECT_EQ(plat::GetCurrentBitmap(dc.GetHandle()), stock);
    EXPECT_EQ(dc.GetWidth(), 0);

    auto* font = new CountedFont(deaths);
    dc.SelectFont(font, UxDeviceContext::Owned);
    dc.SelectFont(font, UxDeviceContext::Owned);
    EXPECT_EQ(plat::GetCurrentFont(dc.GetHandle()), font->GetHandle());
    dc.SelectBitmap(&borrowed, UxDeviceContext::Borrowed);
    dc.Release();
    EXPECT_EQ(deaths, 2) << "owned font deleted once, borrowed bitmap kept";
    EXPECT_EQ(dc.GetHandle(), nullptr);
    dc.Release(); // nothing held: nothing happens
}

TEST(UxDeviceContext, AWrappedContextIsNotDeletedButItsSelectionsAreUndone)
{
    plat::HDC handle = plat::CreateCompatibleDC(nullptr);
    plat::HBITMAP stock = plat::GetCurrentBitmap(handle);
    {
        UxDeviceContext wrapper(handle, UxDeviceContext::KeepHandle);
        UxDeviceBitmap bitmap;
        bitmap.CreateCompatible(UxBitmapFormat { 2, 2, 32 });
        wrapper.SelectBitmap(&bitmap, UxDeviceContext::Borrowed);
        wrapper.Release();
    }
    EXPECT_EQ(plat::GetCurrentBitmap(handle), stock);
    EXPECT_TRUE(plat::DeleteDC(handle));

    UxDeviceContext screen(plat::GetDC(nullptr), UxDeviceContext::ReleaseScreen);
    EXPECT_NE(screen.GetHandle(), nullptr);
}

TEST(UxDeviceContext, FillRectWithoutSizeFillsTheWholeBitmap)
{
    auto dc = MakeSurface(5, 3);
    dc->SetBackColor(RGB(1, 1, 1));
    EXPECT_EQ(dc->FillRect(RGB(9, 8, 7), RECT { 2, 2, 2, 9 }), 1);
    EXPECT_EQ(PixelAt(*dc, 0, 0), RGB(9, 8, 7));
    EXPECT_EQ(PixelAt(*dc, 4, 2), RGB(9, 8, 7));
    EXPECT_EQ(dc->GetBackColor(), RGB(1, 1, 1)) << "the remembered back colour stays";
    dc->FillRect(RGB(0, 0, 0), RECT { 1, 1, 3, 2 });
    EXPECT_EQ(PixelAt(*dc, 2, 1), RGB(0, 0, 0));
    EXPECT_EQ(PixelAt(*dc, 3, 1), RGB(9, 8, 7));

    UxDeviceContext bare;
    ASSERT_TRUE(bare.CreateMemoryDC());
    EXPECT_EQ(bare.FillRect(RGB(1, 2, 3), RECT {}), 1) << "no bitmap: nothing to fill";
}

TEST(UxDeviceContext, BlitFamilyTakesTheSourceSizeForEmptyRectsAndStretchesOtherwise)
{
    auto src = MakeSurface(2, 2);
    src->FillRect(RGB(255, 0, 0), RECT {});
    src->FillRect(RGB(0, 0, 255), RECT { 1, 1, 2, 2 });
    auto dst = MakeSurface(6, 6);
    dst->FillRect(kWhite, RECT {});

    // Empty destination: drawn at its top-left at the source's size.
    ASSERT_TRUE(dst->Blit(*src, RECT { 3, 3, 3, 3 }, RECT {}, plat::SRCCOPY));
    EXPECT_EQ(PixelAt(*dst, 3, 3), RGB(255, 0, 0));
    EXPECT_EQ(PixelAt(*dst, 4, 4), RGB(0, 0, 255));
    EXPECT_EQ(PixelAt(*dst, 5, 5), kWhite);

    // Different sizes stretch: 2 x 2 over 4 x 4.
    ASSERT_TRUE(dst->Blit(*src, RECT { 0, 0, 4, 4 }, RECT { 0, 0, 2, 2 }, plat::SRCCOPY));
    EXPECT_EQ(PixelAt(*dst, 1, 1), RGB(255, 0, 0));
    EXPECT_EQ(PixelAt(*dst, 2, 2), RGB(0, 0, 255));

    dst->FillRect(kWhite, RECT {});
    ASSERT_TRUE(dst->TransparentBlt(*src, RECT { 0, 0, 2, 2 }, RECT {}, RGB(255, 0, 0)));
    EXPECT_EQ(PixelAt(*dst, 0, 0), kWhite);
    EXPECT_EQ(PixelAt(*dst, 1, 1), RGB(0, 0, 255));

    ASSERT_TRUE(dst->AlphaBlend(*src, RECT { 0, 0, 6, 6 }, RECT { 0, 0, 1, 1 }, 128));
    EXPECT_EQ(PixelAt(*dst, 5, 5), RGB(255, 127, 127));

    // Per pixel from a premultiplied image bitmap.
    UxDeviceContext image;
    ASSERT_TRUE(image.CreateMemoryDC());
    auto* bitmap = new UxDeviceBitmap();
    ASSERT_TRUE(bitmap->CreateDIB(UxBitmapFormat { 1, 1, 32 }));
    *static_cast<uint32_t*>(bitmap->GetBits()) = 0x80000080; // blue 128 at alpha 128
    image.SelectBitmap(bitmap, UxDeviceContext::OwnedCreated);
    dst->FillRect(RGB(0, 0, 0), RECT {});
    ASSERT_TRUE(dst->AlphaBlendPerPixel(image, RECT { 0, 0, 1, 1 }, RECT {}));
    EXPECT_EQ(PixelAt(*dst, 0, 0), RGB(0, 0, 128));
}

TEST(UxDeviceContext, TextBackModeDecidesWhetherTheClipIsFilled)
{
    auto dc = MakeSurface(40, 20);
    dc->FillRect(kWhite, RECT {});
    UxFont font;
    ASSERT_TRUE(font.Create(UxFontInfo { 10, 0, 0, 0, 0, plat::kTestFontFace }));
    dc->SelectFont(&font, UxDeviceContext::Borrowed);
    EXPECT_EQ(dc->GetTextExtent(L"abc").cx, 15);
    dc->SetBackColor(RGB(0, 255, 0));
    dc->SetBackMode(1);
    ASSERT_TRUE(dc->TextOut(L"a", plat::POINT { 2, 2 }, RECT { 0, 0, 20, 20 }));
    EXPECT_EQ(PixelAt(*dc, 15, 15), kWhite);
    EXPECT_EQ(PixelAt(*dc, 2, 3), RGB(0, 0, 0));
    dc->SetBackMode(0);
    ASSERT_TRUE(dc->TextOut(L"a", plat::POINT { 2, 2 }, RECT { 0, 0, 20, 20 }));
    EXPECT_EQ(PixelAt(*dc, 15, 15), RGB(0, 255, 0));
    EXPECT_EQ(PixelAt(*dc, 25, 5), kWhite);
    dc->SelectFont(nullptr, 0);
}

} // namespace
