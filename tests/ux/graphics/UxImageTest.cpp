#include "ux/graphics/UxImage.h"
#include "ux/graphics/UxImageSequence.h"

#include "tests/support/ImageBuilders.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TraceCapture.h"

#include <gtest/gtest.h>

namespace {

TEST(UxImage, SizesAreBoundedAndDepthsRounded)
{
    UxImage image;
    for (auto [w, h] :
        { std::pair { 0, 10 }, { -5, 10 }, { 10, 0 }, { 8193, 1 }, { 1, 8193 }, { 8192, 8192 } })
        EXPECT_FALSE(image.Allocate(w, h, 32)) << w << "x" << h;
    EXPECT_TRUE(image.Allocate(8192, 2048, 32)); // exactly 64 MiB
    for (auto [asked, got] : { std::pair { 0, 1 }, { 2, 4 }, { 5, 8 }, { 12, 16 }, { 20, 24 }, { 33, 32 } }) {
        ASSERT_TRUE(image.Allocate(3, 2, asked));
        EXPECT_EQ(image.GetBitsPerPixel(), got);
        EXPECT_EQ(image.GetHeader()->biSizeImage, static_cast<uint32_t>((got * 3 + 31) / 32 * 4 * 2));
        EXPECT_EQ(image.GetPaletteCount(), got <= 8 ? 1 << got : 0);
    }
    ASSERT_TRUE(image.Allocate(1, 1, 1));
    const uint8_t rgb[] = { 1, 2, 3, 4, 5, 6, 7, 8, 9 };
    image.SetPalette(rgb, 3, true); // the third entry has no room
    EXPECT_EQ(image.GetPalette()[1].red, 6);
}

TEST(UxImageSequence, DecoderChosenByExtensionElseContent)
{
    EXPECT_EQ(UxImageSequence::TypeFromExtension(L"Image\\a.PNG"), UxImageTypePng);
    EXPECT_EQ(UxImageSequence::TypeFromExtension(L"x.jpeg"), UxImageTypeAuto);
    EXPECT_EQ(UxImageSequence::TypeFromSignature(reinterpret_cast<const uint8_t*>("\xFF\xD8......"), 8),
        UxImageTypeJpeg);
    EXPECT_EQ(
        UxImageSequence::TypeFromSignature(reinterpret_cast<const uint8_t*>("GIF88a.."), 8), UxImageTypeAuto);
    EXPECT_EQ(UxImageSequence::TypeFromSignature(reinterpret_cast<const uint8_t*>("BM"), 2), UxImageTypeAuto);

    testimg::Bytes gif = testimg::Gif(2, 1, 2).Image(2, 1, { 1, 0 }, 2).End();
    TempFolder folder;
    folder.Write("Image/Anim.dat", std::string(gif.begin(), gif.end()));
    folder.Write("Image/Anim.BMP", std::string(gif.begin(), gif.end()));
    UxImageSequence sequence;
    ASSERT_TRUE(sequence.LoadImageFile(folder.Designed("Image/Anim.dat"), UxImageTypeAuto));
    EXPECT_EQ(sequence.GetWidth(), 2);
    TraceCapture trace;
    EXPECT_FALSE(sequence.LoadImageFile(folder.Designed("Image/Anim.BMP"), UxImageTypeAuto));
    EXPECT_TRUE(trace.Contains(L"UxBmpDecoder::Decode"));
    EXPECT_FALSE(sequence.LoadImageFile(folder.Designed("Image/Missing.gif"), UxImageTypeAuto));
    EXPECT_EQ(testimg::DecodeBytes({ 'X', 'X', 'X', 'X', 'X', 'X', 'X', 'X', 'X' }), nullptr);
}

} // namespace
