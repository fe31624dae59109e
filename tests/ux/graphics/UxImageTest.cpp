#include "ux/graphics/UxImage.h"
#include "ux/core/UxStream.h"
#include "ux/graphics/UxImageSequence.h"
#include "ux/graphics/UxRowFlipper.h"

#include "tests/support/ImageBuilders.h"
#include "tests/support/ImageDecode.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TraceCapture.h"

#include <gtest/gtest.h>

namespace {

TEST(UxImage, AllocateBoundsSizesAndRoundsDepth)
{
    UxImage image;
    EXPECT_FALSE(image.Allocate(0, 10, 8));
    EXPECT_FALSE(image.Allocate(-5, 10, 8));
    EXPECT_FALSE(image.Allocate(10, 0, 8));
    EXPECT_FALSE(image.Allocate(8193, 1, 8));
    EXPECT_FALSE(image.Allocate(1, 8193, 8));
    EXPECT_FALSE(image.Allocate(8192, 8192, 32)); // 256 MiB
    EXPECT_TRUE(image.Allocate(8192, 2048, 32)); // exactly 64 MiB
    EXPECT_EQ(image.GetPixelSize(), 64u << 20);

    UxBitmapHeader h {};
    h.biWidth = 4;
    h.biHeight = 2;
    h.biBitCount = 7;
    EXPECT_FALSE(image.Allocate(h));

    const std::pair<int, int> depths[] = { { 0, 1 }, { 2, 4 }, { 5, 8 }, { 12, 16 }, { 20, 24 }, { 33, 32 } };
    for (auto [asked, got] : depths) {
        ASSERT_TRUE(image.Allocate(3, 2, asked));
        EXPECT_EQ(image.GetBitsPerPixel(), got);
        EXPECT_EQ(image.GetStride(), (got * 3 + 31) / 32 * 4);
        EXPECT_EQ(image.GetHeader()->biSizeImage, static_cast<uint32_t>(image.GetStride() * 2));
        EXPECT_EQ(image.GetPaletteCount(), got <= 8 ? 1 << got : 0);
        EXPECT_EQ(image.GetHeaderBlockSize(), 40u + 4u * static_cast<uint32_t>(image.GetPaletteCount()));
    }
}

TEST(UxImage, PaletteFillersStayInsideThePalette)
{
    UxImage image;
    ASSERT_TRUE(image.Allocate(1, 1, 1));
    const uint8_t rgb[] = { 10, 20, 30, 40, 50, 60, 70, 80, 90 };
    image.SetPalette(rgb, 3, false); // third entry ignored
    EXPECT_EQ(image.GetPalette()[1].red, 40);
    EXPECT_EQ(image.GetPalette()[1].blue, 60);
    image.SetPalette(rgb, 2, true);
    EXPECT_EQ(image.GetPalette()[0].red, 30);
    EXPECT_EQ(image.GetPalette()[0].blue, 10);

    ASSERT_TRUE(image.Allocate(1, 1, 4));
    image.SetGreyPalette(16);
    EXPECT_EQ(image.GetPalette()[0].green, 0);
    EXPECT_EQ(image.GetPalette()[1].green, 17);
    EXPECT_EQ(image.GetPalette()[15].red, 255);
    const uint8_t r[] = { 1 }, g[] = { 2 }, b[] = { 3 };
    image.SetPalette(r, g, b, 1);
    EXPECT_EQ(image.GetPalette()[0].green, 2);
    EXPECT_EQ(image.GetPalette()[0].blue, 3);

    image.delay = 70;
    image.FreePixels();
    EXPECT_EQ(image.GetPixels(), nullptr);
    EXPECT_EQ(image.GetPalette(), nullptr);
    EXPECT_EQ(image.delay, 70);
}

TEST(UxImage, RowFlipperReversesRows)
{
    UxImage image;
    ASSERT_TRUE(image.Allocate(1, 3, 8));
    for (int i = 0; i < 3; ++i)
        image.GetRow(i)[0] = static_cast<uint8_t>(i + 1);
    UxRowFlipper::Flip(image);
    EXPECT_EQ(image.GetRow(0)[0], 3);
    EXPECT_EQ(image.GetRow(1)[0], 2);
    EXPECT_EQ(image.GetRow(2)[0], 1);
}

TEST(UxImageSequence, DecoderChosenByExtensionElseSignature)
{
    EXPECT_EQ(UxImageSequence::TypeFromExtension(L"Image\\a.PNG"), UxImageTypePng);
    EXPECT_EQ(UxImageSequence::TypeFromExtension(L"x.Bmp"), UxImageTypeBmp);
    EXPECT_EQ(UxImageSequence::TypeFromExtension(L"x.jpg"), UxImageTypeJpeg);
    EXPECT_EQ(UxImageSequence::TypeFromExtension(L"x.gif"), UxImageTypeGif);
    EXPECT_EQ(UxImageSequence::TypeFromExtension(L"x.jpeg"), UxImageTypeAuto);
    EXPECT_EQ(UxImageSequence::TypeFromExtension(L"dir.png\\file"), UxImageTypeAuto);

    const uint8_t png[] = { 0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A };
    EXPECT_EQ(UxImageSequence::TypeFromSignature(png, 8), UxImageTypePng);
    EXPECT_EQ(UxImageSequence::TypeFromSignature(png, 7), UxImageTypeAuto);
    EXPECT_EQ(
        UxImageSequence::TypeFromSignature(reinterpret_cast<const uint8_t*>("GIF87a.."), 8), UxImageTypeGif);
    EXPECT_EQ(UxImageSequence::TypeFromSignature(reinterpret_cast<const uint8_t*>("\xFF\xD8......"), 8),
        UxImageTypeJpeg);
    EXPECT_EQ(
        UxImageSequence::TypeFromSignature(reinterpret_cast<const uint8_t*>("BM......"), 8), UxImageTypeBmp);
    EXPECT_EQ(
        UxImageSequence::TypeFromSignature(reinterpret_cast<const uint8_t*>("GIF88a.."), 8), UxImageTypeAuto);
}

TEST(UxImageSequence, LoadsFilesByExtensionOrContent)
{
    testimg::Gif gif(2, 1, 2);
    testimg::Bytes bytes = gif.Image(2, 1, { 1, 0 }, 2).End();
    TempFolder folder;
    folder.Write("Image/Anim.dat", std::string(bytes.begin(), bytes.end()));
    folder.Write("Image/Anim.BMP", std::string(bytes.begin(), bytes.end()));

    // Designed paths with backslashes, content decides for an unknown extension.
    UxImageSequence sequence;
    ASSERT_TRUE(sequence.LoadImageFile(folder.Designed("Image/Anim.dat"), UxImageTypeAuto));
    EXPECT_EQ(sequence.GetFrameCount(), 1u);
    EXPECT_EQ(sequence.GetWidth(), 2);
    // Named as a bitmap, read as one: the extension wins.
    TraceCapture trace;
    EXPECT_FALSE(sequence.LoadImageFile(folder.Designed("Image/Anim.BMP"), UxImageTypeAuto));
    EXPECT_TRUE(trace.Contains(L"UxBmpDecoder::Decode"));
    EXPECT_FALSE(sequence.LoadImageFile(folder.Designed("Image/Missing.gif"), UxImageTypeAuto));
    EXPECT_TRUE(trace.Contains(L"Cannot open the image file"));
}

TEST(UxImageSequence, UnknownOrShortInputFails)
{
    TraceCapture trace;
    EXPECT_EQ(testimg::DecodeBytes({}), nullptr);
    EXPECT_EQ(testimg::DecodeBytes({ 'B', 'M' }), nullptr);
    EXPECT_EQ(testimg::DecodeBytes({ 'X', 'X', 'X', 'X', 'X', 'X', 'X', 'X', 'X' }), nullptr);
    EXPECT_EQ(testimg::DecodeBytes({ 1, 2, 3 }, 9), nullptr);
    EXPECT_TRUE(trace.Contains(L"Unknown image type"));
}

} // namespace
