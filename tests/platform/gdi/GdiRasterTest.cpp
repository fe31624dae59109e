#include "platform/gdi/Gdi.h"
#include "tests/support/GdiCanvas.h"

#include <gtest/gtest.h>

using namespace plat;

namespace {

using Colours = std::vector<COLORREF>;
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// Every pixel a different colour: red = x, green = y, blue = 7.
void Pattern(GdiCanvas& c)
{
    for (int y = 0; y < c.bitmap->Height(); ++y)
        for (int x = 0; x < c.bitmap->Width(); ++x)
            c.bitmap->Row(y)[x] = 0xFF000000 | (uint32_t(x) << 16) | (uint32_t(y) << 8) | 7;
}

COLORREF P(int x, int y)
{
    return RGB(uint8_t(x), uint8_t(y), 7);
}

TEST(GdiObjects, BitmapsStartZeroedSelectionsPutTheDefaultBackDibsHandOutMemory)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP stock = GetCurrentBitmap(dc);
    ASSERT_EQ(stock->Width(), 1);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 3, 2);
    EXPECT_EQ(bitmap->Pixel(2, 1), 0u);
    EXPECT_EQ(SelectObject(dc, bitmap), stock);

    HDC other = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SelectObject(other, bitmap), nullptr) << "a bitmap lives in one context at a time";
    EXPECT_FALSE(DeleteObject(bitmap)) << "still selected";
    EXPECT_EQ(SelectObject(dc, stock), bitmap);
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_TRUE(DeleteObject(stock)) << "stock objects ignore deletion";
    EXPECT_EQ(GetCurrentBitmap(dc), stock);

    EXPECT_EQ(CreateCompatibleBitmap(dc, -1, 5), nullptr);
    EXPECT_EQ(CreateCompatibleBitmap(dc, 100000, 100000), nullptr);
    DeleteDC(other);
    DeleteDC(dc);

    // DIB sections hand out their memory in either row order; only 32 bits deep.
    BITMAPINFO info;
    info.bmiHeader.biWidth = 2;
    info.bmiHeader.biBitCount = 32;
    for (int height : { -2, 2 }) {
        info.bmiHeader.biHeight = height;
        void* bits = nullptr;
        HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits);
        ASSERT_TRUE(dib && bits == dib->Bits());
        static_cast<uint32_t*>(bits)[0] = 0x80402010; // first pixel in memory
        EXPECT_EQ(dib->Pixel(0, height < 0 ? 0 : 1), 0x80402010u) << height;
        EXPECT_TRUE(DeleteObject(dib));
    }
    info.bmiHeader.biBitCount = 24;
    EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, nullptr), nullptr);
}

TEST(GdiRaster, FillStaysInsideBitmapAndClipRect)
{
    GdiCanvas c(6, 4);
    c.Fill(kWhite);
    c.Fill(kBlack, RECT { -5, -5, 2, 100 });
    RECT clip { 3, 1, 5, 3 };
    SetClipRect(c.dc, &clip);
    c.Fill(RGB(1, 2, 3), RECT { 0, 0, 6, 4 });
    c.Fill(RGB(9, 9, 9), RECT { 4, 2, 4, 9 }); // empty: nothing
    for (int y = 0; y < 4; ++y) {
        COLORREF inClip = y == 1 || y == 2 ? RGB(1, 2, 3) : kWhite;
        EXPECT_EQ(c.Row(y), (Colours { kBlack, kBlack, kWhite, inClip, inClip, kWhite })) << y;
    }
}

TEST(GdiRaster, CopyIsClippedOnBothBitmapsAtEveryEdge)
{
    GdiCanvas src(4, 4);
    Pattern(src);
    GdiCanvas dst(5, 5);
    dst.Fill(kWhite);
    // Destination starts above-left of the bitmap, source runs past its right and bottom.
    ASSERT_TRUE(BitBlt(dst.dc, -1, -1, 6, 6, src.dc, 1, 1, SRCCOPY));
    EXPECT_EQ(dst.Row(1), (Colours { P(2, 3), P(3, 3), kWhite, kWhite, kWhite })) << "source ran out";
    // Source starts left of its bitmap: those columns are not drawn.
    dst.Fill(kWhite);
    ASSERT_TRUE(BitBlt(dst.dc, 0, 0, 3, 1, src.dc, -2, 0, SRCCOPY));
    EXPECT_EQ(dst.Row(0), (Colours { kWhite, kWhite, P(0, 0), kWhite, kWhite }));
    // Far outside: nothing, and success.
    EXPECT_TRUE(BitBlt(dst.dc, 1000, 1000, 4, 4, src.dc, 0, 0, SRCCOPY));
    EXPECT_TRUE(BitBlt(dst.dc, 0, 0, 4, 4, src.dc, -1000, 0, SRCCOPY));
    EXPECT_EQ(dst.Ink(RECT { 0, 1, 5, 5 }, kWhite), 0);

    EXPECT_TRUE(BitBlt(dst.dc, 0, 0, 0, 3, src.dc, 0, 0, SRCCOPY)) << "empty size draws nothing";
    EXPECT_FALSE(BitBlt(dst.dc, 0, 0, -1, 3, src.dc, 0, 0, SRCCOPY));
    EXPECT_FALSE(BitBlt(dst.dc, 0, 0, 1, 1, src.dc, 0, 0, 0x00EE0086)) << "only SRCCOPY";
    EXPECT_FALSE(BitBlt(dst.dc, 0, 0, 1, 1, nullptr, 0, 0, SRCCOPY));
}

TEST(GdiRaster, OverlappingCopyWithinOneBitmapInBothDirections)
{
    for (int d : { 1, -1 }) {
        GdiCanvas c(6, 6);
        Pattern(c);
        // Move the 4 x 4 block at (1, 1) by d on both axes, as a scroll does.
        ASSERT_TRUE(BitBlt(c.dc, 1 + d, 1 + d, 4, 4, c.dc, 1, 1, SRCCOPY));
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                ASSERT_EQ(c.At(1 + d + x, 1 + d + y), P(1 + x, 1 + y)) << d << " " << x << "," << y;
    }
}

TEST(GdiRaster, StretchTakesTheNearestCentredSourcePixel)
{
    GdiCanvas src(3, 2);
    Pattern(src);
    GdiCanvas dst(5, 4);
    ASSERT_TRUE(StretchBlt(dst.dc, 0, 0, 5, 4, src.dc, 0, 0, 3, 2, SRCCOPY));
    // Columns (2i + 1) * 3 / 10, rows (2i + 1) * 2 / 8.
    for (int y = 0; y < 4; ++y)
        EXPECT_EQ(dst.Row(y), (Colours { P(0, y / 2), P(0, y / 2), P(1, y / 2), P(2, y / 2), P(2, y / 2) }))
            << y;

    // A clipped stretch keeps the same mapping.
    dst.Fill(kWhite);
    ASSERT_TRUE(StretchBlt(dst.dc, -2, 0, 5, 1, src.dc, 0, 0, 3, 1, SRCCOPY));
    EXPECT_EQ(dst.Row(0), (Colours { P(1, 0), P(2, 0), P(2, 0), kWhite, kWhite }));

    // Stretching within one bitmap reads the pixels as they were.
    GdiCanvas same(4, 1);
    Pattern(same);
    ASSERT_TRUE(StretchBlt(same.dc, 0, 0, 4, 1, same.dc, 2, 0, 2, 1, SRCCOPY));
    EXPECT_EQ(same.Row(0), (Colours { P(2, 0), P(2, 0), P(3, 0), P(3, 0) }));
}

TEST(GdiRaster, ColourKeyComparesRedGreenBlueOnly)
{
    GdiCanvas src(3, 1, true);
    src.bitmap->Row(0)[0] = 0x00FF00FF; // the key's colour with alpha 0
    src.bitmap->Row(0)[1] = 0xFFFF00FF; // the key's colour, opaque
    src.bitmap->Row(0)[2] = 0xFFFF00FE; // one step off the key
    GdiCanvas dst(6, 1);
    dst.Fill(kWhite);
    ASSERT_TRUE(TransparentImage(dst.dc, 0, 0, 6, 1, src.dc, 0, 0, 3, 1, RGB(255, 0, 255)));
    const COLORREF off = RGB(255, 0, 254);
    EXPECT_EQ(dst.Row(0), (Colours { kWhite, kWhite, kWhite, kWhite, off, off }));
}

TEST(GdiRaster, ConstantAlphaBlendAtSeveralAlphas)
{
    GdiCanvas src(1, 1);
    src.Fill(RGB(200, 255, 0));
    GdiCanvas dst(4, 1);
    for (auto [alpha, expected] : { std::pair<uint8_t, COLORREF> { 0, RGB(100, 0, 255) },
             { 64, RGB(125, 64, 191) }, { 128, RGB(150, 128, 127) }, { 255, RGB(200, 255, 0) } }) {
        dst.Fill(RGB(100, 0, 255));
        // A 1 x 1 source stretched over the whole destination, as the popup dimming does.
        ASSERT_TRUE(
            AlphaBlend(dst.dc, 0, 0, 4, 1, src.dc, 0, 0, 1, 1, BLENDFUNCTION { AC_SRC_OVER, 0, alpha, 0 }));
        EXPECT_EQ(dst.At(3, 0), expected) << int(alpha);
    }
}

TEST(GdiRaster, PerPixelBlendTakesPremultipliedSources)
{
    GdiCanvas src(4, 1, true);
    uint32_t* row = src.bitmap->Row(0);
    row[0] = 0x80804000; // half-covered: R 128, G 64, B 0, A 128
    row[1] = 0x00000000; // fully transparent
    row[2] = 0xFF0A141E; // opaque
    row[3] = 0x40202020; // quarter-covered grey
    GdiCanvas dst(4, 1);
    dst.Fill(RGB(0, 0, 200));
    BLENDFUNCTION blend { AC_SRC_OVER, 0, 255, AC_SRC_ALPHA };
    ASSERT_TRUE(AlphaBlend(dst.dc, 0, 0, 4, 1, src.dc, 0, 0, 4, 1, blend));
    // Blue: 200 * 127 / 255 = 99.6; 32 + 200 * 191 / 255 = 181.8.
    EXPECT_EQ(dst.Row(0), (Colours { RGB(128, 64, 100), RGB(0, 0, 200), RGB(10, 20, 30), RGB(32, 32, 182) }));

    // Into a bitmap with alpha the coverage adds up: 128 + 255 * 127 / 255.
    GdiCanvas layered(1, 1, true);
    layered.bitmap->Row(0)[0] = 0xFF000000;
    ASSERT_TRUE(AlphaBlend(layered.dc, 0, 0, 1, 1, src.dc, 0, 0, 1, 1, blend));
    EXPECT_EQ(layered.Raw(0, 0), 0xFF804000u);

    // With a constant alpha as well, the source is scaled first: 128 * 128 / 255 = 64.
    dst.Fill(kBlack);
    blend.SourceConstantAlpha = 128;
    ASSERT_TRUE(AlphaBlend(dst.dc, 0, 0, 1, 1, src.dc, 0, 0, 1, 1, blend));
    EXPECT_EQ(dst.At(0, 0), RGB(64, 32, 0));

    // A source without alpha is opaque, whatever its unused fourth bytes hold (never
    // written here), when blended and when copied into a bitmap with alpha.
    GdiCanvas plain(1, 1);
    plain.bitmap->Row(0)[0] = 0x00010203;
    blend.SourceConstantAlpha = 255;
    ASSERT_TRUE(AlphaBlend(dst.dc, 0, 0, 2, 1, plain.dc, 0, 0, 1, 1, blend));
    EXPECT_EQ(dst.At(1, 0), RGB(1, 2, 3));
    layered.bitmap->Row(0)[0] = 0;
    ASSERT_TRUE(BitBlt(layered.dc, 0, 0, 1, 1, plain.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(layered.Raw(0, 0) >> 24, 0xFFu);
}

// Rows are blended four pixels at a time with a scalar tail: both must agree.
TEST(GdiRaster, WideAndNarrowBlendPathsAgree)
{
    const uint32_t sources[4] = { 0x80FF4020, 0x00000000, 0xFF102030, 0x3F3F1F0F };
    for (uint8_t format : { uint8_t(0), AC_SRC_ALPHA })
        for (uint8_t alpha : { uint8_t(77), uint8_t(255) }) {
            GdiCanvas src(8, 1, true);
            for (int i = 0; i < 8; ++i)
                src.bitmap->Row(0)[i] = sources[i % 4];
            GdiCanvas dst(7, 1);
            dst.Fill(RGB(200, 150, 100));
            BLENDFUNCTION blend { AC_SRC_OVER, 0, alpha, format };
            ASSERT_TRUE(AlphaBlend(dst.dc, 0, 0, 7, 1, src.dc, 0, 0, 7, 1, blend));
            for (int i = 0; i < 3; ++i)
                EXPECT_EQ(dst.At(i, 0), dst.At(i + 4, 0)) << int(format) << " " << int(alpha) << " " << i;
        }
}

} // namespace
