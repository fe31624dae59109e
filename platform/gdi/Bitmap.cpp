#include "platform/gdi/Bitmap.h"

#include <bit>

static_assert(std::endian::native == std::endian::little, "pixels are stored as B, G, R, A words");

namespace plat {

Bitmap* Bitmap::Create(int width, int height, bool hasAlpha, bool bottomUp)
{
    if (width < 0 || height < 0 || width > kMaxSide || height > kMaxSide
        || int64_t(width) * height > kMaxPixels)
        return nullptr;
    auto* bitmap = new Bitmap();
    bitmap->m_width = width;
    bitmap->m_height = height;
    bitmap->m_hasAlpha = hasAlpha;
    size_t count = size_t(width) * size_t(height);
    bitmap->m_pixels.reset(new uint32_t[count > 0 ? count : 1]());
    bitmap->m_pitch = bottomUp ? -ptrdiff_t(width) : ptrdiff_t(width);
    bitmap->m_row0 = bitmap->m_pixels.get() + (bottomUp && height > 0 ? (height - 1) * size_t(width) : 0);
    return bitmap;
}

uint32_t Bitmap::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return 0;
    return Row(y)[x];
}

} // namespace plat
