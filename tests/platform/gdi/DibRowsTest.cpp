#include "platform/gdi/Gdi.h"
#include "tests/support/GdiCanvas.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace plat;

namespace {

using Colours = std::vector<COLORREF>;
constexpr COLORREF R = RGB(255, 0, 0), G = RGB(0, 255, 0), B = RGB(0, 0, 255), K = RGB(0, 0, 0);

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

TEST(DibRows, PaletteAndSixteenBitRows)
{
    // 1 bit, 10 wide (4-byte rows), bottom-up: the second row in memory is the top row.
    GdiCanvas mono(10, 2);
    ASSERT_EQ(Convert(mono, Header(10, 2, 1, BI_RGB, { 0x0000FF, 0xFF0000 }),
                  { 0x80, 0x40, 0, 0, 0x01, 0xC0, 0, 0 }),
        2);
    EXPECT_EQ(mono.Row(0), (Colours { B, B, B, B, B, B, B, R, R, R }));
    EXPECT_EQ(mono.Row(1), (Colours { R, B, B, B, B, B, B, B, B, R }));

    // 4 bits, high nibble left, top-down; 8 bits: an index past the palette is black.
    GdiCanvas c(3, 1);
    ASSERT_EQ(Convert(c, Header(3, -1, 4, BI_RGB, { 0, 0x00FF00, 0xFF0000 }, 3), { 0x12, 0, 0, 0 }), 1);
    EXPECT_EQ(c.Row(0), (Colours { G, R, K }));
    ASSERT_EQ(Convert(c, Header(2, 1, 8, BI_RGB, { 0x102030, 0x405060, 0x708090 }, 3), { 2, 200, 0, 0 }), 1);
    EXPECT_EQ(c.Row(0), (Colours { RGB(0x70, 0x80, 0x90), K, K }));

    // 16 bits as 5-5-5 (16 of 31 is 132), then as 5-6-5 bit fields.
    ASSERT_EQ(Convert(c, Header(3, 1, 16), { 0x00, 0x7C, 0xE0, 0x03, 0x10, 0x42, 0, 0 }), 1);
    EXPECT_EQ(c.Row(0), (Colours { R, G, RGB(132, 132, 132) }));
    ASSERT_EQ(
        Convert(c, Header(2, 1, 16, BI_BITFIELDS, { 0xF800, 0x07E0, 0x001F }), { 0xE0, 0x07, 0x1F, 0 }), 1);
    EXPECT_EQ(c.Row(0), (Colours { G, B, RGB(132, 132, 132) }));
}

TEST(DibRows, TrueColourRowsInEitherOrder)
{
    // 24 bits, 3 wide: 9 bytes and 3 of padding per row.
    std::vector<uint8_t> bottomUp
        = { 1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0, 10, 11, 12, 13, 14, 15, 16, 17, 18, 0, 0, 0 };
    std::vector<uint8_t> topDown(bottomUp.begin() + 12, bottomUp.end());
    topDown.insert(topDown.end(), bottomUp.begin(), bottomUp.begin() + 12);
    GdiCanvas a(3, 2), b(3, 2);
    ASSERT_EQ(Convert(a, Header(3, 2, 24), bottomUp), 2);
    ASSERT_EQ(Convert(b, Header(3, -2, 24), topDown), 2);
    EXPECT_EQ(a.Row(0), (Colours { RGB(12, 11, 10), RGB(15, 14, 13), RGB(18, 17, 16) }));
    EXPECT_EQ(a.Row(1), (Colours { RGB(3, 2, 1), RGB(6, 5, 4), RGB(9, 8, 7) }));
    EXPECT_EQ(b.Row(0), a.Row(0));
    EXPECT_EQ(b.Row(1), a.Row(1));

    GdiCanvas d(2, 1, true);
    ASSERT_EQ(Convert(d, Header(1, -1, 32), { 0x10, 0x20, 0x30, 0x40 }, 1, 0), 1);
    EXPECT_EQ(d.Raw(1, 0), 0x40302010u) << "32-bit rows keep their alpha";
    EXPECT_EQ(d.Raw(0, 0), 0u);
}

TEST(DibRows, PlacementIsClippedAndBadBlocksAreRefused)
{
    GdiCanvas c(2, 2);
    const COLORREF grey = RGB(9, 9, 9);
    c.Fill(grey);
    auto header = Header(2, -2, 24);
    std::vector<uint8_t> pixels = { 1, 1, 1, 2, 2, 2, 0, 0, 3, 3, 3, 4, 4, 4, 0, 0 };
    ASSERT_EQ(Convert(c, header, pixels, -1, 1), 2);
    EXPECT_EQ(c.Row(0), (Colours { grey, grey }));
    EXPECT_EQ(c.Row(1), (Colours { RGB(2, 2, 2), grey }));

    pixels.pop_back();
    EXPECT_EQ(Convert(c, header, pixels), 0) << "pixels shorter than the rows";
    pixels.push_back(0);
    EXPECT_EQ(Convert(c, Header(2, 1, 8, BI_RGB, { 0, 0 }, 4), pixels), 0) << "palette past the block";
    EXPECT_EQ(Convert(c, Header(2, 1, 8, BI_RLE8, std::vector<uint32_t>(256)), pixels), 0);
    EXPECT_EQ(Convert(c, Header(0, 1, 24), pixels), 0);
    EXPECT_EQ(Convert(c, Header(2, 1, 12), pixels), 0);
    auto lying = Header(2, 1, 24);
    lying[0] = 200; // header size beyond the block
    EXPECT_EQ(Convert(c, lying, pixels), 0);
    EXPECT_EQ(c.Row(0), (Colours { grey, grey }));
}

} // namespace
