#pragma once

// Row kernels and clipping shared by the raster and text operations (internal).

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DeviceContext.h"

#include <algorithm>
#include <cstdint>

namespace plat::pixel {

constexpr uint32_t kOpaque = 0xFF000000;

inline uint32_t FromColorRef(COLORREF c)
{
    return kOpaque | (uint32_t(c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

// Rounded division by 255 of two 16-bit lanes (bits 0-15 and 16-31), each at most 255 * 255.
inline uint32_t Div255Lanes(uint32_t x)
{
    x += 0x00800080;
    return ((x + ((x >> 8) & 0x00FF00FF)) >> 8) & 0x00FF00FF;
}

// (s * a + d * (255 - a)) / 255 for all four bytes, rounded.
inline uint32_t Lerp(uint32_t d, uint32_t s, uint32_t a)
{
    uint32_t na = 255 - a;
    uint32_t rb = Div255Lanes((s & 0x00FF00FF) * a + (d & 0x00FF00FF) * na);
    uint32_t ag = Div255Lanes(((s >> 8) & 0x00FF00FF) * a + ((d >> 8) & 0x00FF00FF) * na);
    return rb | (ag << 8);
}

// All four bytes times a / 255, rounded.
inline uint32_t Scale(uint32_t s, uint32_t a)
{
    return Div255Lanes((s & 0x00FF00FF) * a) | (Div255Lanes(((s >> 8) & 0x00FF00FF) * a) << 8);
}

// Premultiplied source over destination; lanes saturate for sources whose colour
// exceeds their alpha.
inline uint32_t Over(uint32_t d, uint32_t s)
{
    uint32_t sa = s >> 24;
    if (sa == 255)
        return s;
    uint32_t na = 255 - sa;
    uint32_t rb = Div255Lanes((d & 0x00FF00FF) * na) + (s & 0x00FF00FF);
    uint32_t ag = Div255Lanes(((d >> 8) & 0x00FF00FF) * na) + ((s >> 8) & 0x00FF00FF);
    rb |= ((rb & 0x01000100) >> 8) * 0xFF;
    ag |= ((ag & 0x01000100) >> 8) * 0xFF;
    return (rb & 0x00FF00FF) | ((ag & 0x00FF00FF) << 8);
}

// Where a context may draw: its bitmap, narrowed by its clip rectangle.
inline RECT DrawableBounds(const DeviceContext& dc)
{
    RECT r { 0, 0, dc.bitmap->Width(), dc.bitmap->Height() };
    if (dc.hasClip) {
        r.left = std::max(r.left, dc.clip.left);
        r.top = std::max(r.top, dc.clip.top);
        r.right = std::min(r.right, dc.clip.right);
        r.bottom = std::min(r.bottom, dc.clip.bottom);
    }
    return r;
}

inline int32_t Clamp32(int64_t v)
{
    return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

inline RECT Intersect(const RECT& a, const RECT& b)
{
    return RECT { std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
        std::min(a.bottom, b.bottom) };
}

inline void Fill(Bitmap& bitmap, const RECT& r, uint32_t value)
{
    if (r.left >= r.right)
        return;
    for (int y = r.top; y < r.bottom; ++y)
        std::fill_n(bitmap.Row(y) + r.left, r.right - r.left, value);
}

} // namespace plat::pixel
