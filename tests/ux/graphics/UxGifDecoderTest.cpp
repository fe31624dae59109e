#include "ux/graphics/UxImage.h"
#include "ux/graphics/UxImageSequence.h"

#include "tests/support/ImageBuilders.h"
#include "tests/support/ImageDecode.h"
#include "tests/support/TraceCapture.h"

#include <gtest/gtest.h>

namespace {

using testimg::Bytes;
using testimg::DecodeBytes;
using testimg::Gif;

// Palette index at (x, y from the top) of a bottom-up palette frame.
int PixelAt(const UxImage& frame, int x, int y)
{
    const uint8_t* row = frame.GetRow(frame.GetHeight() - 1 - y);
    switch (frame.GetBitsPerPixel()) {
    case 1:
        return row[x / 8] >> (7 - x % 8) & 1;
    case 4:
        return x % 2 ? row[x / 2] & 0x0F : row[x / 2] >> 4;
    default:
        return row[x];
    }
}

Bytes Indices(int width, int height, int modulo)
{
    Bytes b;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b.push_back(static_cast<uint8_t>((x * 3 + y * 5) % modulo));
    return b;
}

void ExpectPixels(const UxImage& frame, const Bytes& indices)
{
    for (int y = 0; y < frame.GetHeight(); ++y)
        for (int x = 0; x < frame.GetWidth(); ++x)
            ASSERT_EQ(PixelAt(frame, x, y), indices[static_cast<size_t>(y * frame.GetWidth() + x)])
                << x << "," << y;
}

TEST(UxGifDecoder, ReferenceImageWithGrowingCodes)
{
    // A 10 x 10 picture as a common encoder stores it; codes grow from 3 to 4 bits.
    Bytes bytes = { 'G', 'I', 'F', '8', '9', 'a', 10, 0, 10, 0, 0x91, 0, 0, 255, 255, 255, 255, 0, 0, 0, 0,
        255, 0, 0, 0, 0x2C, 0, 0, 0, 0, 10, 0, 10, 0, 0, 2, 22, 0x8C, 0x2D, 0x99, 0x87, 0x2A, 0x1C, 0xDC,
        0x33, 0xA0, 0x02, 0x75, 0xEC, 0x95, 0xFA, 0xA8, 0xDE, 0x60, 0x8C, 0x04, 0x91, 0x4C, 0x01, 0, 0x3B };
    const char* rows[] = { "1111122222", "1111122222", "1111122222", "1110000222", "1110000222", "2220000111",
        "2220000111", "2222211111", "2222211111", "2222211111" };
    Bytes expected;
    for (const char* r : rows)
        for (const char* c = r; *c; ++c)
            expected.push_back(static_cast<uint8_t>(*c - '0'));
    auto seq = DecodeBytes(bytes);
    ASSERT_NE(seq, nullptr);
    EXPECT_EQ(seq->GetBitsPerPixel(), 4);
    ExpectPixels(*seq->GetFrame(0), expected);
    EXPECT_EQ(seq->GetFrame(0)->GetPalette()[1].red, 255);
    EXPECT_EQ(seq->GetFrame(0)->GetPalette()[1].green, 0);
}

TEST(UxGifDecoder, DepthFollowsTheColourTable)
{
    const std::pair<int, int> tables[] = { { 2, 1 }, { 16, 4 }, { 256, 8 }, { 8, 4 } };
    for (auto [entries, depth] : tables) {
        SCOPED_TRACE(entries);
        Bytes idx = Indices(13, 7, entries);
        Gif gif(20, 9, entries);
        auto seq = DecodeBytes(gif.Image(13, 7, idx, entries <= 4 ? 2 : entries <= 16 ? 4 : 8).End());
        ASSERT_NE(seq, nullptr);
        EXPECT_EQ(seq->GetWidth(), 20);
        EXPECT_EQ(seq->GetHeight(), 9);
        EXPECT_EQ(seq->GetBitsPerPixel(), depth);
        EXPECT_EQ(seq->GetLoopCount(), 0);
        const UxImage& frame = *seq->GetFrame(0);
        EXPECT_EQ(frame.GetBitsPerPixel(), depth);
        EXPECT_EQ(frame.GetPaletteCount(), 1 << depth);
        EXPECT_EQ(frame.GetPalette()[1].green, 5);
        EXPECT_EQ(frame.GetPalette()[1].blue, 7);
        EXPECT_EQ(frame.transparentIndex, -1);
        ExpectPixels(frame, idx);
    }
    // A local table decides the depth and palette of its own frame.
    Gif gif(4, 4, 256);
    Bytes idx = Indices(4, 4, 2);
    auto seq = DecodeBytes(gif.Image(4, 4, idx, 2, false, 2).End());
    ASSERT_NE(seq, nullptr);
    EXPECT_EQ(seq->GetFrame(0)->GetBitsPerPixel(), 1);
    EXPECT_EQ(seq->GetFrame(0)->GetPalette()[1].red, 254);
    EXPECT_EQ(seq->GetBitsPerPixel(), 8);
}

TEST(UxGifDecoder, InterlacedRowsAndCodesAcrossSubBlocks)
{
    // Stored row i carries value i; nine rows land at 0, 8, 4, 2, 6, 1, 3, 5, 7.
    Bytes stored;
    for (int i = 0; i < 9; ++i)
        stored.insert(stored.end(), 3, static_cast<uint8_t>(i));
    Gif gif(3, 9, 16);
    auto seq = DecodeBytes(gif.Image(3, 9, stored, 4, true).End());
    ASSERT_NE(seq, nullptr);
    const int at[9] = { 0, 8, 4, 2, 6, 1, 3, 5, 7 };
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(PixelAt(*seq->GetFrame(0), 1, at[i]), i);

    // Data in sub-blocks of one and two bytes: every code straddles a boundary.
    for (size_t chunk : { 1u, 2u }) {
        Bytes idx = Indices(31, 17, 256);
        Gif cut(31, 17, 256);
        seq = DecodeBytes(cut.Image(31, 17, idx, 8, false, 0, chunk).End());
        ASSERT_NE(seq, nullptr) << chunk;
        ExpectPixels(*seq->GetFrame(0), idx);
    }
}

TEST(UxGifDecoder, LongStringsAndFullTables)
{
    // One colour over 1,500 x 1,500 pixels builds strings of more than 2,048 bytes.
    Bytes flat(1500 * 1500, 1);
    Gif gif(1500, 1500, 2);
    auto seq = DecodeBytes(gif.Image(1500, 1500, flat, 2).End());
    ASSERT_NE(seq, nullptr);
    const UxImage& frame = *seq->GetFrame(0);
    EXPECT_EQ(PixelAt(frame, 0, 0), 1);
    EXPECT_EQ(PixelAt(frame, 1499, 1499), 1);
    EXPECT_EQ(frame.GetRow(0)[186], 0xFF);
    EXPECT_EQ(frame.GetRow(0)[187], 0xF0);

    // Varied data fills the table and the encoder clears it again.
    Bytes noisy;
    uint32_t r = 1;
    for (int i = 0; i < 200 * 200; ++i) {
        r = r * 1103515245 + 12345;
        noisy.push_back(static_cast<uint8_t>(r >> 16));
    }
    Gif big(200, 200, 256);
    seq = DecodeBytes(big.Image(200, 200, noisy, 8).End());
    ASSERT_NE(seq, nullptr);
    ExpectPixels(*seq->GetFrame(0), noisy);
}

TEST(UxGifDecoder, FramesDelaysLoopCountAndTransparency)
{
    Gif gif(2, 2, 4);
    gif.Loop(3);
    gif.Control(1, 5, 2).Image(2, 2, { 0, 1, 2, 3 }, 2); // first frame, disposal 1: opaque
    gif.Image(2, 2, { 3, 3, 3, 3 }, 2); // the control stays in force
    gif.Control(2, 20, 1).Image(1, 1, { 1 }, 2);
    auto seq = DecodeBytes(gif.End());
    ASSERT_NE(seq, nullptr);
    ASSERT_EQ(seq->GetFrameCount(), 3u);
    EXPECT_EQ(seq->GetLoopCount(), 3);
    EXPECT_EQ(seq->GetFrame(0)->delay, 50);
    EXPECT_EQ(seq->GetFrame(0)->transparentIndex, -1);
    EXPECT_EQ(seq->GetFrame(0)->disposal, 1);
    EXPECT_EQ(seq->GetFrame(1)->delay, 50);
    EXPECT_EQ(seq->GetFrame(1)->transparentIndex, -1);
    EXPECT_EQ(seq->GetFrame(2)->delay, 200);
    EXPECT_EQ(seq->GetFrame(2)->transparentIndex, 1);
    EXPECT_EQ(seq->GetFrame(2)->disposal, 2);

    Gif disposed(1, 1, 2);
    auto first = DecodeBytes(disposed.Control(2, 0, 1).Image(1, 1, { 1 }, 2).End());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetFrame(0)->transparentIndex, 1);
}

TEST(UxGifDecoder, OddBlocksAreSkippedByTheirLengths)
{
    Gif gif(2, 1, 2);
    // Control with a 5-byte sub-block, comment and unknown extensions holding image
    // introducers, an application block that is not the loop block, stray bytes.
    gif.Raw(0x21, { 0xF9, 5, 9, 9, 9, 9, 9, 0 });
    gif.Raw(0x21, { 0xFE, 3, 0x2C, 0x2C, 0x2C, 0 });
    gif.Raw(0x21, { 0x77, 2, 0x2C, 0x3B, 1, 0x2C, 0 });
    gif.Raw(0x21, { 0xFF, 10, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', 3, 1, 9, 0, 0 });
    gif.Raw(0x00, { 0x13 });
    auto seq = DecodeBytes(gif.Image(2, 1, { 1, 0 }, 2).End());
    ASSERT_NE(seq, nullptr);
    ASSERT_EQ(seq->GetFrameCount(), 1u);
    EXPECT_EQ(seq->GetLoopCount(), 0);
    EXPECT_EQ(seq->GetFrame(0)->delay, 0);
    EXPECT_EQ(PixelAt(*seq->GetFrame(0), 0, 0), 1);
}

TEST(UxGifDecoder, DamagedDataIsRefusedOrContained)
{
    TraceCapture trace;
    // Code 6 right after a clear: equal to the next free code with nothing before it.
    Gif noPrevious(1, 1, 4);
    EXPECT_EQ(DecodeBytes(noPrevious.Raw(0x2C, { 0, 0, 0, 0, 1, 0, 1, 0, 0 }).Raw(2, { 1, 0x34, 0 }).End()),
        nullptr);
    // Code 7 after a clear: beyond the table.
    Gif beyond(1, 1, 4);
    EXPECT_EQ(
        DecodeBytes(beyond.Raw(0x2C, { 0, 0, 0, 0, 1, 0, 1, 0, 0 }).Raw(2, { 1, 0x3C, 0 }).End()), nullptr);
    // Minimum code sizes outside 2..8.
    for (uint8_t size : { 1, 9 }) {
        Gif bad(1, 1, 2);
        EXPECT_EQ(
            DecodeBytes(bad.Raw(0x2C, { 0, 0, 0, 0, 1, 0, 1, 0, 0 }).Raw(size, { 1, 0, 0 }).End()), nullptr);
    }
    EXPECT_TRUE(trace.Contains(L"[UX+] UxGifDecoder::Decode, Damaged image data."));

    // 8-bit codes into a 1-bit frame are masked; extra pixels are dropped.
    Gif wide(2, 1, 2);
    auto seq = DecodeBytes(wide.Image(2, 1, { 0xFE, 0x03, 0x55, 0x55, 0x55 }, 8).End());
    ASSERT_NE(seq, nullptr);
    EXPECT_EQ(seq->GetFrame(0)->GetRow(0)[0], 0x40);

    // Empty frames are skipped; without any colour table the palette is black.
    Gif bare(3, 3, 2, false);
    bare.Image(0, 5, { 1 }, 2).Image(2, 0, { 1 }, 2).Image(1, 1, { 1 }, 2);
    seq = DecodeBytes(bare.End());
    ASSERT_NE(seq, nullptr);
    ASSERT_EQ(seq->GetFrameCount(), 1u);
    EXPECT_EQ(seq->GetFrame(0)->GetPalette()[1].red, 0);
    Gif onlyEmpty(3, 3, 2);
    EXPECT_EQ(DecodeBytes(onlyEmpty.Image(0, 0, {}, 2).End()), nullptr);

    // Frames beyond the bound fail the picture instead of growing without end.
    Gif many(1, 1, 2);
    for (size_t i = 0; i <= 1024; ++i)
        many.Image(1, 1, { 1 }, 2);
    EXPECT_EQ(DecodeBytes(many.End()), nullptr);
    EXPECT_TRUE(trace.Contains(L"Too many frames"));
}

TEST(UxGifDecoder, EveryTruncatedPrefixFails)
{
    Gif gif(5, 4, 16);
    gif.Loop(2).Control(2, 7, 3).Image(5, 4, Indices(5, 4, 16), 4, true);
    gif.Control(0, 3, -1).Image(5, 4, Indices(5, 4, 9), 4, false, 16, 3);
    Bytes bytes = gif.End();
    ASSERT_NE(DecodeBytes(bytes), nullptr);
    TraceCapture quiet;
    EXPECT_EQ(testimg::FirstDecodingPrefix(bytes), -1);
}

} // namespace
