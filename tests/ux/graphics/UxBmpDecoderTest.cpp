#include "ux/graphics/UxImage.h"
#include "ux/graphics/UxImageSequence.h"

#include "tests/support/ImageBuilders.h"
#include "tests/support/ImageDecode.h"
#include "tests/support/TraceCapture.h"

#include <gtest/gtest.h>

namespace {

using testimg::Bmp;
using testimg::Bytes;
using testimg::DecodeBytes;

Bytes Palette(int entries, int entrySize)
{
    Bytes p;
    for (int i = 0; i < entries; ++i) {
        p.push_back(static_cast<uint8_t>(i)); // blue
        p.push_back(static_cast<uint8_t>(i + 100)); // green
        p.push_back(static_cast<uint8_t>(255 - i)); // red
        if (entrySize == 4)
            p.push_back(0);
    }
    return p;
}

Bytes Pattern(size_t size)
{
    Bytes p(size);
    for (size_t i = 0; i < size; ++i)
        p[i] = static_cast<uint8_t>(i * 7 + 1);
    return p;
}

Bytes FramePixels(const UxImage& frame)
{
    return Bytes(frame.GetPixels(), frame.GetPixels() + frame.GetPixelSize());
}

Bytes SwapRows(const Bytes& pixels, size_t stride)
{
    Bytes out;
    for (size_t row = pixels.size() / stride; row-- > 0;)
        out.insert(out.end(), pixels.begin() + static_cast<long>(row * stride),
            pixels.begin() + static_cast<long>((row + 1) * stride));
    return out;
}

TEST(UxBmpDecoder, EveryDepthBottomUpAndTopDown)
{
    for (uint16_t bits : { 1, 4, 8, 16, 24, 32 }) {
        SCOPED_TRACE(bits);
        Bmp bmp;
        bmp.width = 3;
        bmp.height = 2;
        bmp.bits = bits;
        size_t stride = UxImage::StrideFor(3, bits);
        bmp.pixels = Pattern(stride * 2);
        if (bits <= 8)
            bmp.palette = Palette(1 << bits, 4);
        auto seq = DecodeBytes(bmp.Build());
        ASSERT_NE(seq, nullptr);
        ASSERT_EQ(seq->GetFrameCount(), 1u);
        const UxImage& frame = *seq->GetFrame(0);
        EXPECT_EQ(seq->GetWidth(), 3);
        EXPECT_EQ(seq->GetHeight(), 2);
        EXPECT_EQ(seq->GetBitsPerPixel(), bits);
        // 32-bit frames go out top-down, the rest as stored on file.
        Bytes expected = bits == 32 ? SwapRows(bmp.pixels, stride) : bmp.pixels;
        EXPECT_EQ(FramePixels(frame), expected);
        EXPECT_EQ(frame.IsTopDown(), bits == 32);
        if (bits <= 8) {
            const UxPaletteEntry& last = frame.GetPalette()[(1 << bits) - 1];
            EXPECT_EQ(last.red, 255 - ((1 << bits) - 1));
            EXPECT_EQ(last.green, ((1 << bits) - 1 + 100) & 0xFF);
        }

        // The same picture stored top-down decodes to the same frame.
        Bmp topDown = bmp;
        topDown.height = -2;
        topDown.pixels = SwapRows(bmp.pixels, stride);
        auto seq2 = DecodeBytes(topDown.Build());
        ASSERT_NE(seq2, nullptr);
        EXPECT_EQ(FramePixels(*seq2->GetFrame(0)), expected);
        EXPECT_EQ(seq2->GetFrame(0)->GetHeight(), 2);
    }
}

TEST(UxBmpDecoder, CoreHeaderPaletteIsExpanded)
{
    Bmp bmp;
    bmp.headerSize = 12;
    bmp.width = 2;
    bmp.height = 1;
    bmp.bits = 4;
    bmp.palette = Palette(16, 3);
    bmp.pixels = { 0x5F, 0, 0, 0 };
    auto seq = DecodeBytes(bmp.Build());
    ASSERT_NE(seq, nullptr);
    const UxImage& frame = *seq->GetFrame(0);
    ASSERT_EQ(frame.GetPaletteCount(), 16);
    const UxPaletteEntry& e = frame.GetPalette()[5];
    EXPECT_EQ(e.blue, 5);
    EXPECT_EQ(e.green, 105);
    EXPECT_EQ(e.red, 250);
    EXPECT_EQ(e.reserved, 0);
    EXPECT_EQ(frame.GetPixels()[0], 0x5F);
}

TEST(UxBmpDecoder, BitFieldsLongHeadersAndShortPalettes)
{
    Bmp fields;
    fields.width = 2;
    fields.height = 1;
    fields.bits = 16;
    fields.compression = 3;
    fields.masks = { 0x00, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0 };
    fields.pixels = { 1, 2, 3, 4 };
    for (uint32_t headerSize : { 40u, 56u, 124u }) {
        fields.headerSize = headerSize;
        auto seq = DecodeBytes(fields.Build());
        ASSERT_NE(seq, nullptr) << headerSize;
        UxImage& frame = *seq->GetFrame(0);
        ASSERT_NE(frame.GetMasks(), nullptr);
        EXPECT_EQ(frame.GetMasks()[0], 0xF800u);
        EXPECT_EQ(frame.GetMasks()[1], 0x07E0u);
        EXPECT_EQ(frame.GetMasks()[2], 0x001Fu);
        EXPECT_EQ(frame.GetHeader()->biCompression, 3u);
        EXPECT_EQ(FramePixels(frame), fields.pixels);
    }

    // A palette behind a long header, shorter than 2^bits: padded with black.
    Bmp v5;
    v5.headerSize = 124;
    v5.width = 1;
    v5.height = 1;
    v5.bits = 8;
    v5.coloursUsed = 2;
    v5.palette = Palette(2, 4);
    v5.pixels = { 200, 0, 0, 0 };
    auto seq = DecodeBytes(v5.Build());
    ASSERT_NE(seq, nullptr);
    UxImage& frame = *seq->GetFrame(0);
    EXPECT_EQ(frame.GetPaletteCount(), 256);
    EXPECT_EQ(frame.GetPalette()[1].red, 254);
    EXPECT_EQ(frame.GetPalette()[200].red, 0);
    EXPECT_EQ(frame.GetHeader()->biClrUsed, 256u);

    // More colours claimed than the depth allows: clamped to 2^bits.
    Bmp claim = v5;
    claim.headerSize = 40;
    claim.bits = 1;
    claim.coloursUsed = 100000;
    claim.palette = Palette(2, 4);
    claim.pixels = { 0x80, 0, 0, 0 };
    seq = DecodeBytes(claim.Build());
    ASSERT_NE(seq, nullptr);
    EXPECT_EQ(seq->GetFrame(0)->GetPaletteCount(), 2);
}

TEST(UxBmpDecoder, Rle8RunsAbsoluteRunsDeltasAndClipping)
{
    Bmp bmp;
    bmp.width = 4;
    bmp.height = 3;
    bmp.bits = 8;
    bmp.compression = 1;
    bmp.palette = Palette(256, 4);
    // clang-format off
    bmp.pixels = {
        3, 5, 0, 0, // row 0: three 5s, end of line
        0, 3, 1, 2, 3, 0, 0, 0, // row 1: absolute 1 2 3 with its padding byte
        0, 2, 1, 0, 5, 9, // row 2: delta right by 1, run of 5 clipped at the edge
        0, 2, 0, 9, 2, 7, // delta far past the top: the run is dropped
        0, 1,
    };
    // clang-format on
    auto seq = DecodeBytes(bmp.Build());
    ASSERT_NE(seq, nullptr);
    UxImage& frame = *seq->GetFrame(0);
    EXPECT_EQ(FramePixels(frame), (Bytes { 5, 5, 5, 0, 1, 2, 3, 0, 0, 9, 9, 9 }));
    // The frame is plain afterwards, with its palette right behind the header.
    EXPECT_EQ(frame.GetHeader()->biCompression, 0u);
    EXPECT_EQ(frame.GetHeaderBlockSize(), 40u + 256 * 4);
    auto* palette = reinterpret_cast<const UxPaletteEntry*>(frame.GetHeaderBlock() + 40);
    EXPECT_EQ(palette[5].red, 250);
}

TEST(UxBmpDecoder, Rle4RunsAlternateFromTheHighNibble)
{
    Bmp bmp;
    bmp.width = 8;
    bmp.height = 2;
    bmp.bits = 4;
    bmp.compression = 2;
    bmp.palette = Palette(16, 4);
    // clang-format off
    bmp.pixels = {
        0, 2, 1, 0, 3, 0xAB, 0, 0, // delta to x = 1, then A B A
        0, 3, 0x12, 0x30, // absolute run of 3: two bytes, no padding
        0, 5, 0x45, 0x67, 0x80, 0, // absolute run of 5: three bytes and one padding byte
        0, 1,
    };
    // clang-format on
    auto seq = DecodeBytes(bmp.Build());
    ASSERT_NE(seq, nullptr);
    EXPECT_EQ(FramePixels(*seq->GetFrame(0)), (Bytes { 0x0A, 0xBA, 0, 0, 0x12, 0x34, 0x56, 0x78 }));
}

TEST(UxBmpDecoder, DamagedFilesFailWithATrace)
{
    Bmp good;
    good.width = 2;
    good.height = 2;
    good.bits = 8;
    good.palette = Palette(256, 4);
    good.pixels = Pattern(8);

    auto withField = [&](size_t offset, uint32_t value) {
        Bytes b = good.Build();
        for (int i = 0; i < 4; ++i)
            b[offset + i] = static_cast<uint8_t>(value >> (8 * i));
        return b;
    };
    TraceCapture trace;
    Bytes notBm = good.Build();
    notBm[1] = 'X';
    EXPECT_EQ(DecodeBytes(notBm, UxImageTypeBmp), nullptr);
    EXPECT_EQ(DecodeBytes(withField(14, 20)), nullptr); // header size
    EXPECT_EQ(DecodeBytes(withField(18, 0)), nullptr); // width 0
    EXPECT_EQ(DecodeBytes(withField(18, 9000)), nullptr);
    EXPECT_EQ(DecodeBytes(withField(22, 0x80000000u)), nullptr); // height cannot be negated
    EXPECT_EQ(DecodeBytes(withField(22, 8193)), nullptr);
    EXPECT_EQ(DecodeBytes(withField(28, 7)), nullptr); // bit count
    EXPECT_EQ(DecodeBytes(withField(30, 2)), nullptr); // RLE4 at 8 bits
    EXPECT_EQ(DecodeBytes(withField(30, 4)), nullptr); // embedded JPEG
    EXPECT_EQ(DecodeBytes(withField(10, 0xFFFFFF00u)), nullptr); // pixel offset
    EXPECT_TRUE(trace.Contains(L"[UX+] UxBmpDecoder::Decode, "));

    Bmp rle = good;
    rle.compression = 1;
    rle.pixels = { 2, 1, 0, 0 }; // no end of bitmap
    EXPECT_EQ(DecodeBytes(rle.Build()), nullptr);

    EXPECT_EQ(testimg::FirstDecodingPrefix(good.Build()), -1);
    rle.pixels = { 2, 1, 0, 0, 0, 3, 1, 2, 3, 0, 0, 1 };
    ASSERT_NE(DecodeBytes(rle.Build()), nullptr);
    EXPECT_EQ(testimg::FirstDecodingPrefix(rle.Build()), -1);
}

} // namespace
