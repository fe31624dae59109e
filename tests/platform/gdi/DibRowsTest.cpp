#include "platform/gdi/Gdi.h"
#include "tests/support/GdiCanvas.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace plat;

namespace {

// A header block as the image decoders keep it: header, masks, palette.
std::vector<uint8_t> Header(int width, int height, int bits, uint32_t compression = BI_RGB,
    std::vector<uint32_t> tail = {}, uint32_t coloursUsed = 0)
{
    BITMAPINFOHEADER h;
    h.biWidth = width;
    h.biHeight = height;
    h.biBitCount = uint16_t(bits);
    h.biCompression = compression;
    h.biClrUsed = coloursUsed;
    std::vector<uint8_t> block(sizeof h + tail.size() * 4);
    std::memcpy(block.data(), &h, sizeof h);
    if (!tail.empty())
        std::memcpy(block.data() + sizeof h, tail.data(), tail.size() * 4);
    return block;
}

int Convert(GdiCanvas& c, const std::vector<uint8_t>& header, const std::vector<uint8_t>& pixels, int x = 0,
    int y = 0)
{
    return SetDIBitsToDevice(c.dc, x, y, header.data(), header.size(), pixels.data(), pixels.size());
}

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

TEST(DibRows, PaletteRowsOfOneFourAndEightBits)
{
    GdiCanvas c(10, 2);
    // 1 bit, 10 wide (4-byte rows), bottom-up: the second row in memory is the top row.
    auto mono = Header(10, 2, 1, BI_RGB, { 0x0000FF /* blue */, 0xFF0000 /* red */ });
    std::vector<uint8_t> monoBits = { 0x80, 0x40, 0, 0, /* top: */ 0x01, 0xC0, 0, 0 };
    ASSERT_EQ(Convert(c, mono, monoBits), 2);
    EXPECT_EQ(c.At(0, 1), kRed);
    EXPECT_EQ(c.At(1, 1), kBlue);
    EXPECT_EQ(c.At(9, 1), kRed);
    EXPECT_EQ(c.At(7, 0), kRed);
    EXPECT_EQ(c.At(8, 0), kRed);
    EXPECT_EQ(c.At(9, 0), kRed);
    EXPECT_EQ(c.At(6, 0), kBlue);

    // 4 bits: the high nibble is the left pixel. Top-down this time.
    auto nibbles = Header(3, -1, 4, BI_RGB, { 0, 0x00FF00, 0xFF0000 }, 3);
    ASSERT_EQ(Convert(c, nibbles, { 0x12, 0x00, 0, 0 }), 1);
    EXPECT_EQ(c.At(0, 0), RGB(0, 255, 0));
    EXPECT_EQ(c.At(1, 0), kRed);
    EXPECT_EQ(c.At(2, 0), RGB(0, 0, 0));

    // 8 bits with three colours: an index past the palette is black.
    auto bytes = Header(2, 1, 8, BI_RGB, { 0x102030, 0x405060, 0x708090 }, 3);
    ASSERT_EQ(Convert(c, bytes, { 2, 200, 0, 0 }), 1);
    EXPECT_EQ(c.At(0, 0), RGB(0x70, 0x80, 0x90));
    EXPECT_EQ(c.At(1, 0), RGB(0, 0, 0));
}

TEST(DibRows, SixteenBitsAsFiveFiveFiveOrMasks)
{
    GdiCanvas c(3, 1);
    auto rgb555 = Header(3, 1, 16);
    ASSERT_EQ(Convert(c, rgb555, { 0x00, 0x7C, 0xE0, 0x03, 0x10, 0x42, 0, 0 }), 1);
    EXPECT_EQ(c.At(0, 0), kRed);
    EXPECT_EQ(c.At(1, 0), RGB(0, 255, 0));
    EXPECT_EQ(c.At(2, 0), RGB(132, 132, 132)); // 16 of 31 each
    auto rgb565 = Header(2, 1, 16, BI_BITFIELDS, { 0xF800, 0x07E0, 0x001F });
    ASSERT_EQ(Convert(c, rgb565, { 0xE0, 0x07, 0x1F, 0x00 }), 1);
    EXPECT_EQ(c.At(0, 0), RGB(0, 255, 0));
    EXPECT_EQ(c.At(1, 0), kBlue);
}

TEST(DibRows, TrueColourRowsInEitherOrder)
{
    // 24 bits, 3 wide: 9 bytes and 3 of padding per row.
    std::vector<uint8_t> bottomUp = { 1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0, 10, 11, 12, 13, 14, 15, 16, 17, 18, 0, 0, 0 };
    std::vector<uint8_t> topDown(bottomUp.begin() + 12, bottomUp.end());
    topDown.insert(topDown.end(), bottomUp.begin(), bottomUp.begin() + 12);
    GdiCanvas a(3, 2), b(3, 2);
    ASSERT_EQ(Convert(a, Header(3, 2, 24), bottomUp), 2);
    ASSERT_EQ(Convert(b, Header(3, -2, 24), topDown), 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(a.At(x, y), b.At(x, y));
    EXPECT_EQ(a.At(0, 0), RGB(12, 11, 10));
    EXPECT_EQ(a.At(2, 1), RGB(9, 8, 7));

    GdiCanvas d(2, 1, true);
    ASSERT_EQ(Convert(d, Header(1, -1, 32), { 0x10, 0x20, 0x30, 0x40 }, 1, 0), 1);
    EXPECT_EQ(d.Raw(1, 0), 0x40302010u) << "32-bit rows keep their alpha";
    EXPECT_EQ(d.Raw(0, 0), 0u);
}

TEST(DibRows, PlacementIsClippedAndBadBlocksAreRefused)
{
    GdiCanvas c(2, 2);
    c.Fill(RGB(9, 9, 9));
    auto header = Header(2, -2, 24);
    std::vector<uint8_t> pixels = { 1, 1, 1, 2, 2, 2, 0, 0, 3, 3, 3, 4, 4, 4, 0, 0 };
    ASSERT_EQ(Convert(c, header, pixels, -1, 1), 2);
    EXPECT_EQ(c.At(0, 1), RGB(2, 2, 2));
    EXPECT_EQ(c.At(1, 1), RGB(9, 9, 9));
    EXPECT_EQ(c.At(0, 0), RGB(9, 9, 9));

    pixels.pop_back();
    EXPECT_EQ(Convert(c, header, pixels), 0) << "pixels shorter than the rows";
    pixels.push_back(0);
    auto shortPalette = Header(2, 1, 8, BI_RGB, { 0, 0 }, 4);
    EXPECT_EQ(Convert(c, shortPalette, pixels), 0) << "palette past the block";
    auto rle = Header(2, 1, 8, BI_RLE8, std::vector<uint32_t>(256));
    EXPECT_EQ(Convert(c, rle, pixels), 0);
    EXPECT_EQ(Convert(c, Header(0, 1, 24), pixels), 0);
    EXPECT_EQ(Convert(c, Header(2, 1, 12), pixels), 0);
    auto lying = Header(2, 1, 24);
    lying[0] = 200; // header size beyond the block
    EXPECT_EQ(Convert(c, lying, pixels), 0);
    EXPECT_EQ(c.At(0, 0), RGB(9, 9, 9));
}

} // namespace
