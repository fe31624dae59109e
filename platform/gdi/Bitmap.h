#pragma once

#include "platform/gdi/GdiObject.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace plat {

// A 32-bit bitmap: each pixel is B, G, R, A in memory (one uint32_t 0xAARRGGBB on this
// little-endian target), zero-filled when made. Bitmaps with alpha hold premultiplied
// colour; for the others ("compatible" bitmaps, like the screen) the alpha byte means
// nothing and reads as opaque wherever a blend looks at it.
class Bitmap : public GdiObject {
public:
    // Largest side and pixel count accepted; anything bigger is refused, not allocated.
    static constexpr int kMaxSide = 16384;
    static constexpr int64_t kMaxPixels = int64_t(1) << 26;

    // Null when a side is negative or the bitmap is too big. bottomUp keeps the rows in
    // memory bottom row first, as a DIB with a positive height expects.
    static Bitmap* Create(int width, int height, bool hasAlpha, bool bottomUp = false);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool HasAlpha() const { return m_hasAlpha; }

    // Row y (0 = top) as pixels; y must lie inside the bitmap.
    uint32_t* Row(int y) { return m_row0 + y * m_pitch; }
    const uint32_t* Row(int y) const { return m_row0 + y * m_pitch; }

    // The memory as the caller of a DIB section sees it (first row in memory first).
    void* Bits() { return m_pixels.get(); }
    // Bytes from one memory row to the next.
    int RowBytes() const { return m_width * 4; }

    // Pixels from one row to the next (negative for bottom-up memory).
    ptrdiff_t PixelPitch() const { return m_pitch; }

    // The pixel at (x, y); 0 outside the bitmap.
    uint32_t Pixel(int x, int y) const;

private:
    Bitmap()
        : GdiObject(Kind::Bitmap)
    {
    }

    int m_width = 0;
    int m_height = 0;
    bool m_hasAlpha = false;
    std::unique_ptr<uint32_t[]> m_pixels;
    uint32_t* m_row0 = nullptr;
    ptrdiff_t m_pitch = 0; // in pixels; negative for bottom-up memory
};

} // namespace plat
