#include "ux/graphics/UxImage.h"

#include "tests/support/ImageBuilders.h"

#include <gtest/gtest.h>

namespace {

using namespace testimg;

// Palette index at (x, y from the top) of a bottom-up 1, 4 or 8-bit frame.
int IndexAt(const UxImage& frame, int x, int y)
{
    const uint8_t* row = frame.GetRow(frame.GetHeight() - 1 - y);
    int bits = frame.GetBitsPerPixel();
    int perByte = 8 / bits;
    return row[x / perByte] >> (8 - bits - bits * (x % perByte)) & ((1 << bits) - 1);
}

Bytes Indices(int width, int height, int modulo)
{
    Bytes b;
    for (int i = 0; i < width * height; ++i)
        b.push_back(static_cast<uint8_t>((i * 3 + i / width * 5) % modulo));
    return b;
}

void ExpectIndices(const UxImage& frame, const Bytes& indices)
{
    for (int i = 0; i < frame.GetWidth() * frame.GetHeight(); ++i)
        ASSERT_EQ(IndexAt(frame, i % frame.GetWidth(), i / frame.GetWidth()), indices[static_cast<size_t>(i)])
            << i;
}

TEST(UxGifDecoder, ReferencePictureWithGrowingCodes)
{
    // 10 x 10 as a common encoder stores it; codes grow from 3 to 4 bits.
    Bytes bytes = Gif(10, 10, 4).Raw(0x2C, { 0, 0, 0, 0, 10, 0, 10, 0, 0 }).bytes
        + Bytes { 2, 22, 0x8C, 0x2D, 0x99, 0x87, 0x2A, 0x1C, 0xDC, 0x33, 0xA0, 0x02, 0x75, 0xEC, 0x95, 0xFA,
              0xA8, 0xDE, 0x60, 0x8C, 0x04, 0x91, 0x4C, 0x01, 0, 0x3B };
    std::string rows = "11111222221111122222111112222211100002221110000222"
                       "22200001112220000111222221111122222111112222211111";
    Bytes expected;
    for (char c : rows)
        expected.push_back(static_cast<uint8_t>(c - '0'));
    auto seq = DecodeBytes(bytes);
    ASSERT_NE(seq, nullptr);
    ExpectIndices(*seq->GetFrame(0), expected);
}

TEST(UxGifDecoder, DepthsInterlaceAndCodesAcrossSubBlocks)
{
    const int cases[][3] = { { 2, 1, 2 }, { 8, 4, 4 }, { 16, 4, 4 }, { 256, 8, 8 } };
    for (auto [entries, depth, minSize] : cases) {
        Bytes idx = Indices(13, 7, entries);
        auto seq = DecodeBytes(Gif(20, 9, entries).Image(13, 7, idx, minSize).End());
        ASSERT_NE(seq, nullptr) << entries;
        EXPECT_EQ(
            (std::vector { seq->GetWidth(), seq->GetHeight(), seq->GetBitsPerPixel(), seq->GetLoopCount() }),
            (std::vector { 20, 9, depth, 0 }));
        const UxImage& frame = *seq->GetFrame(0);
        EXPECT_EQ(frame.GetPalette()[1].blue, 7);
        ExpectIndices(frame, idx);
    }
    // Nine interlaced rows land at 0, 8, 4, 2, 6, 1, 3, 5, 7; a local table sets the depth.
    auto seq = DecodeBytes(Gif(1, 9, 256).Image(1, 9, { 0, 1, 2, 3, 4, 5, 6, 7, 8 }, 4, true, 16).End());
    ASSERT_NE(seq, nullptr);
    EXPECT_EQ(seq->GetFrame(0)->GetBitsPerPixel(), 4);
    EXPECT_EQ(seq->GetFrame(0)->GetPalette()[1].red, 254);
    ExpectIndices(*seq->GetFrame(0), { 0, 5, 3, 6, 2, 7, 4, 8, 1 });
    // Sub-blocks of one and two bytes: codes straddle every boundary.
    for (size_t chunk : { 1u, 2u }) {
        Bytes idx = Indices(31, 17, 256);
        seq = DecodeBytes(Gif(31, 17, 256).Image(31, 17, idx, 8, false, 0, chunk).End());
        ASSERT_NE(seq, nullptr) << chunk;
        ExpectIndices(*seq->GetFrame(0), idx);
    }
}

TEST(UxGifDecoder, LongStringsAndFullTables)
{
    // One colour over 1,500 x 1,500 pixels makes strings longer than 2,048 bytes.
    auto seq = DecodeBytes(Gif(1500, 1500, 2).Image(1500, 1500, Bytes(1500 * 1500, 1), 2).End());
    ASSERT_NE(seq, nullptr);
    EXPECT_EQ(seq->GetFrame(0)->GetRow(0)[186], 0xFF);
    EXPECT_EQ(seq->GetFrame(0)->GetRow(1499)[187], 0xF0);
    // Noise fills the table; the encoder clears it and starts again.
    Bytes noisy;
    for (uint32_t i = 0, r = 1; i < 200 * 200; ++i, r = r * 1103515245 + 12345)
        noisy.push_back(static_cast<uint8_t>(r >> 16));
    seq = DecodeBytes(Gif(200, 200, 256).Image(200, 200, noisy).End());
    ASSERT_NE(seq, nullptr);
    ExpectIndices(*seq->GetFrame(0), noisy);
}

TEST(UxGifDecoder, FramesDelaysLoopCountTransparencyAndOddBlocks)
{
    Gif gif(2, 2, 4);
    gif.Loop(3).Control(1, 5, 2).Image(2, 2, { 0, 1, 2, 3 }, 2); // first frame, disposal 1: opaque
    gif.Image(2, 2, { 3, 3, 3, 3 }, 2); // the control stays in force
    // A 5-byte control, extensions holding image introducers, stray bytes: all passed over.
    gif.Raw(0x21, { 0xF9, 5, 9, 9, 9, 9, 9, 0 }).Raw(0x21, { 0xFE, 2, 0x2C, 0x2C, 0 });
    gif.Raw(0x21, { 0x77, 2, 0x2C, 0x3B, 1, 0x2C, 0 }).Raw(0x00, { 0x13 });
    gif.Control(2, 20, 1).Image(1, 1, { 1 }, 2);
    auto seq = DecodeBytes(gif.End());
    ASSERT_NE(seq, nullptr);
    ASSERT_EQ(seq->GetFrameCount(), 3u);
    EXPECT_EQ(seq->GetLoopCount(), 3);
    std::vector<std::vector<int>> records;
    for (const UxImage* f : { seq->GetFrame(0), seq->GetFrame(1), seq->GetFrame(2) })
        records.push_back({ f->delay, f->transparentIndex, f->disposal });
    EXPECT_EQ(records, (std::vector<std::vector<int>> { { 50, -1, 1 }, { 50, -1, 1 }, { 200, 1, 2 } }));

    seq = DecodeBytes(Gif(1, 1, 2).Control(2, 0, 1).Image(1, 1, { 1 }, 2).End());
    ASSERT_NE(seq, nullptr);
    EXPECT_EQ(seq->GetFrame(0)->transparentIndex, 1); // to be disposed of: keeps it
}

TEST(UxGifDecoder, DamagedDataIsRefusedOrContained)
{
    const Bytes descriptor = { 0, 0, 0, 0, 1, 0, 1, 0, 0 };
    // After a clear: code 6 (the next free one, with nothing before it), code 7 (beyond
    // the table); then minimum code sizes outside 2..8.
    for (Bytes data :
        { Bytes { 2, 1, 0x34, 0 }, Bytes { 2, 1, 0x3C, 0 }, Bytes { 1, 1, 0, 0 }, Bytes { 9, 1, 0, 0 } })
        EXPECT_EQ(DecodeBytes(Gif(1, 1, 4).Raw(0x2C, descriptor + data).End()), nullptr) << int(data[2]);

    // 8-bit codes into a 1-bit frame are masked; pixels past the end are dropped.
    auto seq = DecodeBytes(Gif(2, 1, 2).Image(2, 1, { 0xFE, 0x03, 0x55, 0x55, 0x55 }).End());
    ASSERT_NE(seq, nullptr);
    EXPECT_EQ(seq->GetFrame(0)->GetRow(0)[0], 0x40);

    // Empty frames are skipped; with no colour table at all the palette is black.
    seq = DecodeBytes(
        Gif(3, 3, 2, false).Image(0, 5, { 1 }, 2).Image(2, 0, { 1 }, 2).Image(1, 1, { 1 }, 2).End());
    ASSERT_NE(seq, nullptr);
    ASSERT_EQ(seq->GetFrameCount(), 1u);
    EXPECT_EQ(seq->GetFrame(0)->GetPalette()[1].red, 0);
    EXPECT_EQ(DecodeBytes(Gif(3, 3, 2).Image(0, 0, {}, 2).End()), nullptr);

    Gif many(1, 1, 2);
    for (size_t i = 0; i <= 1024; ++i)
        many.Image(1, 1, { 1 }, 2);
    EXPECT_EQ(DecodeBytes(many.End()), nullptr);

    Gif gif(5, 4, 16);
    gif.Loop(2).Control(2, 7, 3).Image(5, 4, Indices(5, 4, 16), 4, true);
    gif.Control(0, 3, -1).Image(5, 4, Indices(5, 4, 9), 4, false, 16, 3);
    ASSERT_NE(DecodeBytes(gif.End()), nullptr);
    EXPECT_EQ(FirstDecodingPrefix(gif.End()), -1);
}

} // namespace
