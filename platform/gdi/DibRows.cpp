#include "platform/gdi/Gdi.h"
#include "platform/gdi/PixelOps.h"

#include <bit>
#include <cstring>

namespace plat {

namespace {

    // One colour channel described by a bit mask, widened to 8 bits.
    struct Channel {
        uint32_t mask = 0;
        int shift = 0;
        int bits = 0;

        explicit Channel(uint32_t m)
            : mask(m)
        {
            if (m) {
                shift = std::countr_zero(m);
                bits = std::bit_width(m >> shift);
            }
        }

        uint32_t Get(uint32_t pixel) const
        {
            if (!bits)
                return 0;
            uint32_t v = (pixel & mask) >> shift;
            if (bits >= 8)
                return (v >> (bits - 8)) & 0xFF;
            uint32_t max = (1u << bits) - 1;
            return (v * 255 + max / 2) / max;
        }
    };

    uint32_t ReadU32(const uint8_t* p)
    {
        uint32_t v;
        std::memcpy(&v, p, 4);
        return v;
    }

} // namespace

int SetDIBitsToDevice(
    HDC dc, int x, int y, const void* header, size_t headerBytes, const void* bits, size_t bitsBytes)
{
    if (!dc || !header || !bits || headerBytes < sizeof(BITMAPINFOHEADER))
        return 0;
    const auto* block = static_cast<const uint8_t*>(header);
    BITMAPINFOHEADER h;
    std::memcpy(&h, block, sizeof h);
    if (h.biSize < sizeof h || h.biSize > headerBytes || h.biWidth <= 0 || h.biWidth > Bitmap::kMaxSide
        || h.biHeight == 0 || h.biHeight < -Bitmap::kMaxSide || h.biHeight > Bitmap::kMaxSide)
        return 0;
    int bpp = h.biBitCount;
    bool fields = h.biCompression == BI_BITFIELDS;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        return 0;
    if (h.biCompression != BI_RGB && !(fields && (bpp == 16 || bpp == 32)))
        return 0;

    const int width = h.biWidth;
    const int rows = std::abs(h.biHeight);
    const bool topDown = h.biHeight < 0;
    const size_t stride = ((size_t(bpp) * width + 31) / 32) * 4;
    if (bitsBytes / stride < size_t(rows))
        return 0;

    // Masks sit inside headers of 52 bytes or more, else right behind the header.
    // Headers of 56 bytes or more add an alpha mask; without one, pixels are opaque.
    size_t tableAt = h.biSize;
    uint32_t masks[4] = { 0x7C00, 0x03E0, 0x001F, 0 };
    if (bpp == 32)
        masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF;
    if (fields) {
        size_t at = h.biSize >= 52 ? 40 : h.biSize;
        if (at + 12 > headerBytes)
            return 0;
        for (int i = 0; i < 3; ++i)
            masks[i] = ReadU32(block + at + 4 * i);
        if (h.biSize >= 56)
            masks[3] = ReadU32(block + 52);
        if (h.biSize < 52)
            tableAt += 12;
    }
    uint32_t palette[256] = {};
    if (bpp <= 8) {
        size_t count = h.biClrUsed ? std::min<size_t>(h.biClrUsed, size_t(1) << bpp) : size_t(1) << bpp;
        if (tableAt > headerBytes || (headerBytes - tableAt) / 4 < count)
            return 0;
        for (size_t i = 0; i < count; ++i)
            palette[i] = pixel::kOpaque | (ReadU32(block + tableAt + 4 * i) & 0x00FFFFFF);
    }
    const Channel red(masks[0]), green(masks[1]), blue(masks[2]), alpha(masks[3]);
    auto opacity = [&](uint32_t p) { return masks[3] ? alpha.Get(p) << 24 : pixel::kOpaque; };

    Bitmap& bitmap = *dc->bitmap;
    RECT bounds = pixel::DrawableBounds(*dc);
    int64_t left = std::max<int64_t>(x, bounds.left);
    int64_t right = std::min<int64_t>(int64_t(x) + width, bounds.right);
    if (left >= right)
        return rows;
    const int from = int(left - x);
    const int to = int(right - x);
    const auto* pixels = static_cast<const uint8_t*>(bits);

    for (int r = 0; r < rows; ++r) {
        int64_t dy = int64_t(y) + r;
        if (dy < bounds.top || dy >= bounds.bottom)
            continue;
        const uint8_t* src = pixels + stride * size_t(topDown ? r : rows - 1 - r);
        uint32_t* dst = bitmap.Row(int(dy)) + left;
        // One loop a format, so that a row is a plain run of work.
        switch (bpp) {
        case 1:
            for (int i = from; i < to; ++i)
                *dst++ = palette[(src[i >> 3] >> (7 - (i & 7))) & 1];
            break;
        case 4:
            for (int i = from; i < to; ++i)
                *dst++ = palette[(src[i >> 1] >> ((i & 1) ? 0 : 4)) & 0xF];
            break;
        case 8:
            for (int i = from; i < to; ++i)
                *dst++ = palette[src[i]];
            break;
        case 16:
            for (int i = from; i < to; ++i) {
                uint32_t p = src[2 * i] | (uint32_t(src[2 * i + 1]) << 8);
                *dst++ = opacity(p) | (red.Get(p) << 16) | (green.Get(p) << 8) | blue.Get(p);
            }
            break;
        case 24:
            for (int i = from; i < to; ++i)
                *dst++ = pixel::kOpaque | (uint32_t(src[3 * i + 2]) << 16) | (uint32_t(src[3 * i + 1]) << 8)
                    | src[3 * i];
            break;
        default:
            for (int i = from; i < to; ++i) {
                uint32_t p = ReadU32(src + 4 * i);
                *dst++ = fields ? (opacity(p) | (red.Get(p) << 16) | (green.Get(p) << 8) | blue.Get(p)) : p;
            }
            break;
        }
    }
    return rows;
}

} // namespace plat
