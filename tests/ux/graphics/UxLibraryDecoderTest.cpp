#include "ux/graphics/UxImage.h"
#include "ux/graphics/UxImageSequence.h"

#include "tests/support/ImageBuilders.h"
#include "tests/support/ImageDecode.h"
#include "tests/support/TraceCapture.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using testimg::Bytes;
using testimg::DecodeBytes;
using testimg::MakeJpeg;
using testimg::MakePng;

// Bytes of the pixel at (x, y from the top) whatever the frame's row order.
const uint8_t* PixelAt(const UxImage& frame, int x, int y)
{
    int row = frame.IsTopDown() ? y : frame.GetHeight() - 1 - y;
    return frame.GetRow(row) + x * frame.GetBitsPerPixel() / 8;
}

Bytes RgbaRows(int width, int height, int channels)
{
    Bytes b;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < channels; ++c)
                b.push_back(static_cast<uint8_t>(x * 40 + y * 7 + c * 60));
    return b;
}

TEST(UxPngDecoder, ColourLayoutsBecomeBlueGreenRed)
{
    // Colour: 24-bit, blue first, bottom-up.
    auto seq = DecodeBytes(MakePng(5, 3, PNG_COLOR_TYPE_RGB, 8, RgbaRows(5, 3, 3)));
    ASSERT_NE(seq, nullptr);
    const UxImage* f = seq->GetFrame(0);
    ASSERT_EQ(f->GetBitsPerPixel(), 24);
    EXPECT_FALSE(f->IsTopDown());
    const uint8_t* p = PixelAt(*f, 2, 1); // red 87, green 147, blue 207
    EXPECT_EQ(p[0], 207);
    EXPECT_EQ(p[1], 147);
    EXPECT_EQ(p[2], 87);

    // With alpha: 32-bit, top-down.
    seq = DecodeBytes(MakePng(5, 3, PNG_COLOR_TYPE_RGBA, 8, RgbaRows(5, 3, 4)));
    ASSERT_NE(seq, nullptr);
    f = seq->GetFrame(0);
    ASSERT_EQ(f->GetBitsPerPixel(), 32);
    EXPECT_TRUE(f->IsTopDown());
    EXPECT_EQ(f->GetRow(1)[4 * 2 + 0], 207);
    EXPECT_EQ(f->GetRow(1)[4 * 2 + 3], 11); // 267 wrapped

    // 16-bit samples keep their high byte; interlaced files read the same.
    Bytes wide;
    for (uint8_t v : RgbaRows(5, 3, 3)) {
        wide.push_back(v);
        wide.push_back(0x99);
    }
    for (bool interlaced : { false, true }) {
        seq = DecodeBytes(
            MakePng(5, 3, PNG_COLOR_TYPE_RGB, 16, interlaced ? RgbaRows(5, 3, 6) : wide, {}, {}, interlaced));
        ASSERT_NE(seq, nullptr);
        f = seq->GetFrame(0);
        ASSERT_EQ(f->GetBitsPerPixel(), 24);
        p = PixelAt(*f, 2, 1);
        if (!interlaced)
            EXPECT_EQ(p[2], 87);
        else
            EXPECT_EQ(p[2], 2 * 40 + 7 + 0 * 60); // first channel's high byte
    }
}

TEST(UxPngDecoder, GreyPaletteAndOddLayouts)
{
    // Grey 8: grey palette; grey 4 and palette 4 keep their depth; 2-bit becomes 8.
    auto seq = DecodeBytes(MakePng(3, 2, PNG_COLOR_TYPE_GRAY, 8, { 0, 10, 20, 30, 40, 50 }));
    ASSERT_NE(seq, nullptr);
    const UxImage* f = seq->GetFrame(0);
    EXPECT_EQ(f->GetBitsPerPixel(), 8);
    EXPECT_EQ(f->GetPalette()[128].green, 128);
    EXPECT_EQ(PixelAt(*f, 1, 1)[0], 40);

    seq = DecodeBytes(MakePng(2, 1, PNG_COLOR_TYPE_GRAY, 4, { 0x3F }));
    ASSERT_NE(seq, nullptr);
    EXPECT_EQ(seq->GetFrame(0)->GetBitsPerPixel(), 4);
    EXPECT_EQ(seq->GetFrame(0)->GetPalette()[15].red, 255);
    EXPECT_EQ(seq->GetFrame(0)->GetPixels()[0], 0x3F);

    std::vector<png_color> palette = { { 255, 0, 0 }, { 0, 255, 0 }, { 0, 0, 255 }, { 9, 9, 9 } };
    seq = DecodeBytes(MakePng(2, 1, PNG_COLOR_TYPE_PALETTE, 4, { 0x21 }, palette));
    ASSERT_NE(seq, nullptr);
    f = seq->GetFrame(0);
    EXPECT_EQ(f->GetBitsPerPixel(), 4);
    EXPECT_EQ(f->GetPalette()[2].blue, 255);
    EXPECT_EQ(f->GetPalette()[0].red, 255);
    EXPECT_EQ(f->GetPixels()[0], 0x21);

    seq = DecodeBytes(MakePng(4, 1, PNG_COLOR_TYPE_PALETTE, 2, { 0x1B }, palette));
    ASSERT_NE(seq, nullptr);
    f = seq->GetFrame(0);
    EXPECT_EQ(f->GetBitsPerPixel(), 8);
    EXPECT_EQ(Bytes(f->GetPixels(), f->GetPixels() + 4), (Bytes { 0, 1, 2, 3 }));

    seq = DecodeBytes(MakePng(4, 1, PNG_COLOR_TYPE_GRAY, 2, { 0x1B }));
    ASSERT_NE(seq, nullptr);
    f = seq->GetFrame(0);
    EXPECT_EQ(f->GetBitsPerPixel(), 8);
    EXPECT_EQ(Bytes(f->GetPixels(), f->GetPixels() + 4), (Bytes { 0, 85, 170, 255 }));

    // Grey with alpha and palettes with transparency become 32-bit colour with alpha.
    seq = DecodeBytes(MakePng(1, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, { 90, 30 }));
    ASSERT_NE(seq, nullptr);
    EXPECT_EQ(
        Bytes(seq->GetFrame(0)->GetPixels(), seq->GetFrame(0)->GetPixels() + 4), (Bytes { 90, 90, 90, 30 }));
    seq = DecodeBytes(MakePng(2, 1, PNG_COLOR_TYPE_PALETTE, 8, { 2, 0 }, palette, { 255, 255, 0, 255 }));
    ASSERT_NE(seq, nullptr);
    EXPECT_EQ(Bytes(seq->GetFrame(0)->GetPixels(), seq->GetFrame(0)->GetPixels() + 8),
        (Bytes { 255, 0, 0, 0, 0, 0, 255, 255 }));
}

TEST(UxPngDecoder, DamagedAndOversizedFilesFail)
{
    Bytes png = MakePng(6, 4, PNG_COLOR_TYPE_RGB, 8, RgbaRows(6, 4, 3));
    ASSERT_NE(DecodeBytes(png), nullptr);
    TraceCapture trace;
    EXPECT_EQ(testimg::FirstDecodingPrefix(png), -1);
    EXPECT_TRUE(trace.Contains(L"[UX+] UxPngDecoder::Decode, Error: png_read_data."));

    Bytes corrupt = png;
    corrupt[corrupt.size() / 2] ^= 0x55; // inside the image data
    EXPECT_EQ(DecodeBytes(corrupt), nullptr);
    EXPECT_EQ(DecodeBytes(MakePng(9000, 1, PNG_COLOR_TYPE_GRAY, 1, Bytes(1125))), nullptr);
}

TEST(UxJpegDecoder, GreyColourAndCmyk)
{
    Bytes grey;
    for (int i = 0; i < 16 * 8; ++i)
        grey.push_back(static_cast<uint8_t>(i < 64 ? 40 : 200));
    auto seq = DecodeBytes(MakeJpeg(16, 8, 1, grey));
    ASSERT_NE(seq, nullptr);
    const UxImage* f = seq->GetFrame(0);
    EXPECT_EQ(f->GetBitsPerPixel(), 8);
    EXPECT_EQ(f->GetPaletteCount(), 256);
    EXPECT_EQ(f->GetPalette()[255].blue, 255);
    EXPECT_NEAR(PixelAt(*f, 3, 1)[0], 40, 3); // top half
    EXPECT_NEAR(PixelAt(*f, 3, 6)[0], 200, 3);

    Bytes rgb;
    for (int i = 0; i < 16 * 16; ++i) {
        rgb.push_back(220);
        rgb.push_back(i < 128 ? 30 : 160);
        rgb.push_back(40);
    }
    seq = DecodeBytes(MakeJpeg(16, 16, 3, rgb));
    ASSERT_NE(seq, nullptr);
    f = seq->GetFrame(0);
    ASSERT_EQ(f->GetBitsPerPixel(), 24);
    const uint8_t* p = PixelAt(*f, 5, 2);
    EXPECT_NEAR(p[0], 40, 8);
    EXPECT_NEAR(p[1], 30, 8);
    EXPECT_NEAR(p[2], 220, 8);
    EXPECT_NEAR(PixelAt(*f, 5, 13)[1], 160, 8);

    Bytes cmyk;
    for (int i = 0; i < 8 * 8; ++i)
        cmyk.insert(cmyk.end(), { 200, 100, 50, 128 });
    seq = DecodeBytes(MakeJpeg(8, 8, 4, cmyk));
    ASSERT_NE(seq, nullptr);
    f = seq->GetFrame(0);
    ASSERT_EQ(f->GetBitsPerPixel(), 24);
    p = PixelAt(*f, 4, 4);
    EXPECT_NEAR(p[0], 50 * 128 / 255, 3);
    EXPECT_NEAR(p[1], 100 * 128 / 255, 3);
    EXPECT_NEAR(p[2], 200 * 128 / 255, 3);
}

TEST(UxJpegDecoder, DamagedAndOversizedFilesFail)
{
    Bytes grey(24 * 16);
    for (size_t i = 0; i < grey.size(); ++i)
        grey[i] = static_cast<uint8_t>(i * 13);
    Bytes jpeg = MakeJpeg(24, 16, 1, grey, 50);
    ASSERT_NE(DecodeBytes(jpeg), nullptr);
    TraceCapture trace;
    EXPECT_EQ(testimg::FirstDecodingPrefix(jpeg), -1);
    EXPECT_TRUE(trace.Contains(L"[UX+] UxJpegDecoder::Decode, "));

    Bytes rgb(9000 * 3, 7);
    EXPECT_EQ(DecodeBytes(MakeJpeg(9000, 1, 3, rgb)), nullptr);
    Bytes garbage = { 0xFF, 0xD8, 0xFF, 0xC0, 0, 0, 1, 2, 3, 4, 5, 6 };
    EXPECT_EQ(DecodeBytes(garbage), nullptr);
}

} // namespace
