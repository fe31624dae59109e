#include "ux/graphics/UxImage.h"

#include "tests/support/ImageBuilders.h"

#include <gtest/gtest.h>

namespace {

using namespace testimg;

Bytes Samples(int count, int step)
{
    Bytes b;
    for (int i = 0; i < count; ++i)
        b.push_back(static_cast<uint8_t>(i * step));
    return b;
}

Bytes Pixel(const UxImage& frame, int x, int y)
{
    const uint8_t* p = PixelAt(frame, x, y);
    return Bytes(p, p + frame.GetBitsPerPixel() / 8);
}

TEST(UxPngDecoder, LayoutsBecomePaletteBlueGreenRedOrWithAlpha)
{
    const std::vector<png_color> palette = { { 255, 0, 0 }, { 0, 255, 0 }, { 0, 0, 255 }, { 9, 9, 9 } };
    struct Case {
        int width, type, depth;
        Bytes rows, paletteAlpha;
        int bits;
        bool topDown;
        Bytes lastPixel; // of the first row
    };
    const Case cases[] = {
        { 2, PNG_COLOR_TYPE_RGB, 8, Samples(12, 10), {}, 24, false, { 50, 40, 30 } },
        { 2, PNG_COLOR_TYPE_RGBA, 8, Samples(16, 10), {}, 32, true, { 60, 50, 40, 70 } },
        { 2, PNG_COLOR_TYPE_RGB, 16, Samples(24, 10), {}, 24, false, { 100, 80, 60 } }, // high bytes kept
        { 2, PNG_COLOR_TYPE_GRAY, 8, { 10, 20, 30, 40 }, {}, 8, false, { 20 } },
        { 4, PNG_COLOR_TYPE_GRAY, 2, { 0x1B, 0x1B }, {}, 8, false, { 255 } }, // 2-bit: widened to 8
        { 4, PNG_COLOR_TYPE_PALETTE, 2, { 0x1B, 0x1B }, {}, 8, false, { 3 } },
        { 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, { 90, 30, 0, 0 }, {}, 32, true, { 90, 90, 90, 30 } },
        { 2, PNG_COLOR_TYPE_PALETTE, 8, { 0, 2, 0, 0 }, { 255, 255, 0, 255 }, 32, true, { 255, 0, 0, 0 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type * 100 + c.depth);
        auto seq = DecodeBytes(MakePng(c.width, 2, c.type, c.depth, c.rows, palette, c.paletteAlpha));
        ASSERT_NE(seq, nullptr);
        const UxImage& frame = *seq->GetFrame(0);
        EXPECT_EQ(frame.GetBitsPerPixel(), c.bits);
        EXPECT_EQ(frame.IsTopDown(), c.topDown);
        EXPECT_EQ(Pixel(frame, c.width - 1, 0), c.lastPixel);
        if (c.bits == 8) { // grey ramp or the file's palette
            EXPECT_EQ(frame.GetPalette()[3].red, c.type == PNG_COLOR_TYPE_GRAY ? 3 : 9);
        }
    }
    // 4-bit palette pictures keep their depth; interlaced files read the same.
    auto seq = DecodeBytes(MakePng(2, 1, PNG_COLOR_TYPE_PALETTE, 4, { 0x21 }, palette));
    ASSERT_NE(seq, nullptr);
    EXPECT_EQ(seq->GetFrame(0)->GetPixels()[0], 0x21);
    EXPECT_EQ(seq->GetFrame(0)->GetPalette()[2].blue, 255);
    auto plain = DecodeBytes(MakePng(9, 9, PNG_COLOR_TYPE_RGB, 8, Samples(243, 7)));
    seq = DecodeBytes(MakePng(9, 9, PNG_COLOR_TYPE_RGB, 8, Samples(243, 7), {}, {}, true));
    ASSERT_TRUE(plain && seq);
    EXPECT_EQ(Pixel(*seq->GetFrame(0), 5, 6), Pixel(*plain->GetFrame(0), 5, 6));
}

TEST(UxJpegDecoder, GreyColourAndCmyk)
{
    auto seq = DecodeBytes(MakeJpeg(16, 8, 1, Bytes(64, 40) + Bytes(64, 200)));
    ASSERT_NE(seq, nullptr);
    const UxImage* f = seq->GetFrame(0);
    EXPECT_EQ(f->GetBitsPerPixel(), 8);
    EXPECT_EQ(f->GetPalette()[255].blue, 255);
    EXPECT_NEAR(PixelAt(*f, 3, 1)[0], 40, 3);
    EXPECT_NEAR(PixelAt(*f, 3, 6)[0], 200, 3);

    Bytes rgb, cmyk;
    for (int i = 0; i < 16 * 16; ++i)
        rgb = rgb + Bytes { 220, static_cast<uint8_t>(i < 128 ? 30 : 160), 40 };
    for (int i = 0; i < 8 * 8; ++i)
        cmyk = cmyk + Bytes { 200, 100, 50, 128 };
    seq = DecodeBytes(MakeJpeg(16, 16, 3, rgb));
    ASSERT_NE(seq, nullptr);
    EXPECT_EQ(seq->GetFrame(0)->GetBitsPerPixel(), 24);
    const uint8_t* p = PixelAt(*seq->GetFrame(0), 5, 2);
    EXPECT_NEAR(p[0], 40, 8);
    EXPECT_NEAR(p[1], 30, 8);
    EXPECT_NEAR(p[2], 220, 8);
    EXPECT_NEAR(PixelAt(*seq->GetFrame(0), 5, 13)[1], 160, 8);
    seq = DecodeBytes(MakeJpeg(8, 8, 4, cmyk));
    ASSERT_NE(seq, nullptr);
    p = PixelAt(*seq->GetFrame(0), 4, 4);
    EXPECT_NEAR(p[0], 50 * 128 / 255, 3);
    EXPECT_NEAR(p[2], 200 * 128 / 255, 3);
}

TEST(UxLibraryDecoders, DamagedTruncatedAndOversizedFilesFail)
{
    Bytes png = MakePng(6, 4, PNG_COLOR_TYPE_RGB, 8, Samples(72, 5));
    Bytes jpeg = MakeJpeg(24, 16, 1, Samples(384, 13), 50);
    ASSERT_TRUE(DecodeBytes(png) && DecodeBytes(jpeg));
    EXPECT_EQ(FirstDecodingPrefix(png), -1);
    EXPECT_EQ(FirstDecodingPrefix(jpeg), -1);

    png[png.size() / 2] ^= 0x55; // inside the image data
    EXPECT_EQ(DecodeBytes(png), nullptr);
    EXPECT_EQ(DecodeBytes({ 0xFF, 0xD8, 0xFF, 0xC0, 0, 0, 1, 2, 3, 4, 5, 6 }), nullptr);
    EXPECT_EQ(DecodeBytes(MakePng(9000, 1, PNG_COLOR_TYPE_GRAY, 1, Bytes(1125))), nullptr);
    EXPECT_EQ(DecodeBytes(MakeJpeg(9000, 1, 3, Bytes(27000, 7))), nullptr);
}

} // namespace
