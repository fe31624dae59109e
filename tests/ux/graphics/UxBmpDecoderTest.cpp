#include "ux/graphics/UxImage.h"

#include "tests/support/ImageBuilders.h"

#include <gtest/gtest.h>

namespace {

using namespace testimg;

// Entry i is blue i, green i + 100, red 255 - i.
Bytes Palette(int entries, int entrySize)
{
    Bytes p;
    for (int i = 0; i < entries; ++i) {
        p = p + Bytes { uint8_t(i), uint8_t(i + 100), uint8_t(255 - i) };
        p.resize(p.size() + size_t(entrySize - 3));
    }
    return p;
}

Bytes Pattern(size_t size, size_t stride = 0, bool reversed = false)
{
    Bytes p(size);
    for (size_t i = 0; i < size; ++i) {
        size_t row = reversed ? size / stride - 1 - i / stride : 0;
        size_t at = reversed ? row * stride + i % stride : i;
        p[at] = static_cast<uint8_t>(i * 7 + 1);
    }
    return p;
}

Bytes Pixels(const UxImage& frame)
{
    return Bytes(frame.GetPixels(), frame.GetPixels() + frame.GetPixelSize());
}

TEST(UxBmpDecoder, EveryDepthBottomUpOrTopDown)
{
    for (uint16_t bits : { 1, 4, 8, 16, 24, 32 }) {
        size_t stride = UxImage::StrideFor(3, bits);
        for (int height : { 2, -2 }) {
            SCOPED_TRACE(bits * height);
            Bmp bmp(3, height, bits, 0, bits <= 8 ? Palette(1 << bits, 4) : Bytes(),
                Pattern(stride * 2, stride, height < 0));
            auto seq = DecodeBytes(bmp.Build());
            ASSERT_NE(seq, nullptr);
            const UxImage& frame = *seq->GetFrame(0);
            EXPECT_EQ(seq->GetBitsPerPixel(), bits);
            EXPECT_EQ(frame.GetHeight(), 2);
            // Bottom-up out, whatever the file; 32-bit frames top-down.
            EXPECT_EQ(Pixels(frame), Pattern(stride * 2, stride, bits == 32));
            EXPECT_EQ(frame.IsTopDown(), bits == 32);
            EXPECT_TRUE(bits > 8 || frame.GetPalette()[(1 << bits) - 1].red == 256 - (1 << bits));
        }
    }
}

TEST(UxBmpDecoder, CoreHeadersBitFieldsAndShortPalettes)
{
    Bmp core(2, 1, 4, 0, Palette(16, 3), { 0x5F, 0, 0, 0 });
    core.headerSize = 12;
    auto seq = DecodeBytes(core.Build());
    ASSERT_NE(seq, nullptr);
    const UxPaletteEntry& e = seq->GetFrame(0)->GetPalette()[5];
    EXPECT_EQ((Bytes { e.blue, e.green, e.red, e.reserved }), (Bytes { 5, 105, 250, 0 }));

    Bmp fields(2, 1, 16, 3, {}, { 1, 2, 3, 4 });
    fields.masks = { 0, 0xF8, 0, 0, 0xE0, 7, 0, 0, 0x1F, 0, 0, 0 };
    for (uint32_t headerSize : { 40u, 124u }) {
        fields.headerSize = headerSize;
        seq = DecodeBytes(fields.Build());
        ASSERT_NE(seq, nullptr);
        const uint32_t* m = seq->GetFrame(0)->GetMasks();
        EXPECT_EQ((std::vector<uint32_t>(m, m + 3)), (std::vector<uint32_t> { 0xF800, 0x07E0, 0x001F }));
    }

    // Two colours behind a long header: the rest of the palette is black.
    Bmp v5(1, 1, 8, 0, Palette(2, 4), { 200, 0, 0, 0 });
    v5.headerSize = 124;
    v5.coloursUsed = 2;
    seq = DecodeBytes(v5.Build());
    ASSERT_NE(seq, nullptr);
    EXPECT_EQ(seq->GetFrame(0)->GetPalette()[1].red, 254);
    EXPECT_EQ(seq->GetFrame(0)->GetPalette()[200].red, 0);
    EXPECT_EQ(seq->GetFrame(0)->GetHeader()->biClrUsed, 256u);
}

TEST(UxBmpDecoder, RunLengthRunsDeltasAndClipping)
{
    // clang-format off
    Bmp rle8(4, 3, 8, 1, Palette(256, 4), {
        3, 5, 0, 0,             // three 5s, end of line
        0, 3, 1, 2, 3, 0, 0, 0, // absolute 1 2 3 and its padding byte
        0, 2, 1, 0, 5, 9,       // one to the right, then a run clipped at the edge
        0, 2, 0, 9, 2, 7,       // far past the top: dropped
        0, 1 });
    Bmp rle4(8, 2, 4, 2, Palette(16, 4), {
        0, 2, 1, 0, 3, 0xAB, 0, 0, // to x = 1, then A B A
        0, 3, 0x12, 0x30,          // absolute 3: two bytes, no padding
        0, 5, 0x45, 0x67, 0x80, 0, // absolute 5: three bytes and padding
        0, 1 });
    // clang-format on
    auto seq = DecodeBytes(rle8.Build());
    ASSERT_NE(seq, nullptr);
    const UxImage& frame = *seq->GetFrame(0);
    EXPECT_EQ(Pixels(frame), (Bytes { 5, 5, 5, 0, 1, 2, 3, 0, 0, 9, 9, 9 }));
    // Plain afterwards, with the palette right behind the header where readers look.
    EXPECT_EQ(frame.GetHeader()->biCompression, 0u);
    EXPECT_EQ(reinterpret_cast<const UxPaletteEntry*>(frame.GetHeaderBlock() + 40)[5].red, 250);
    seq = DecodeBytes(rle4.Build());
    ASSERT_NE(seq, nullptr);
    EXPECT_EQ(Pixels(*seq->GetFrame(0)), (Bytes { 0x0A, 0xBA, 0, 0, 0x12, 0x34, 0x56, 0x78 }));
    EXPECT_EQ(FirstDecodingPrefix(rle4.Build()), -1);
}

TEST(UxBmpDecoder, PalettesLongerThanTheDepthAllowsAreCut)
{
    // More colours announced (and present) than 4 or 8 bits can index: only the first
    // 2^bits are read, into a palette of that size.
    for (uint16_t bits : { 4, 8 }) {
        Bmp crafted(1, 1, bits, 0, Palette(300, 4), { 1, 0, 0, 0 });
        crafted.coloursUsed = 300;
        auto seq = DecodeBytes(crafted.Build());
        ASSERT_NE(seq, nullptr) << bits;
        EXPECT_EQ(seq->GetFrame(0)->GetPaletteCount(), 1 << bits);
        EXPECT_EQ(seq->GetFrame(0)->GetPalette()[1].red, 254);
    }
}

TEST(UxBmpDecoder, RunsNeverWriteOutsideThePicture)
{
    // Three pixels a row leave one byte of padding: runs past the right edge and after a
    // delta far past the top must leave it, and everything beyond the rows, untouched.
    // clang-format off
    Bmp rle8(3, 2, 8, 1, Palette(256, 4), {
        5, 9,                    // five 9s on a row of three
        0, 2, 9, 0,              // far to the right
        4, 8,                    // nothing left on this row to write
        0, 0, 0, 5, 1, 2, 3, 4, 5, 0, // absolute five on the second row
        0, 0, 3, 7,              // a line above the top
        0, 2, 0, 200, 0, 4, 1, 2, 3, 4, // far past the top, then more
        0, 1 });
    // clang-format on
    auto seq = DecodeBytes(rle8.Build());
    ASSERT_NE(seq, nullptr);
    EXPECT_EQ(Pixels(*seq->GetFrame(0)), (Bytes { 9, 9, 9, 0, 1, 2, 3, 0 }));
}

TEST(UxBmpDecoder, DamagedFilesFail)
{
    Bmp good(2, 2, 8, 0, Palette(256, 4), Pattern(8));
    auto with = [&](size_t offset, uint32_t value) {
        Bytes b = good.Build();
        for (int i = 0; i < 4; ++i)
            b[offset + i] = static_cast<uint8_t>(value >> (8 * i));
        return b;
    };
    const std::pair<size_t, uint32_t> damage[] = { { 0, 0x4D58 }, { 14, 20 }, { 18, 0 }, { 18, 9000 },
        { 22, 0x80000000u }, { 22, 8193 }, { 28, 7 }, { 30, 2 }, { 30, 4 }, { 10, 0xFFFFFF00u } };
    for (auto [offset, value] : damage)
        EXPECT_EQ(DecodeBytes(with(offset, value), UxImageTypeBmp), nullptr) << offset << "=" << value;
    EXPECT_EQ(FirstDecodingPrefix(good.Build()), -1);
}

} // namespace
