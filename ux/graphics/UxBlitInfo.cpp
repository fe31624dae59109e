#include "ux/graphics/UxBlitInfo.h"

#include <algorithm>

namespace {

void Widen(plat::RECT& r, const plat::RECT& by)
{
    r.left = std::min(r.left, by.left);
    r.top = std::min(r.top, by.top);
    r.right = std::max(r.right, by.right);
    r.bottom = std::max(r.bottom, by.bottom);
}

} // namespace

void UxBlitInfo::Clear()
{
    *this = UxBlitInfo {};
}

void UxBlitInfo::Unite(const plat::RECT& dest, const plat::RECT& source)
{
    Widen(DestRect, dest);
    Widen(SourceRect, source);
}
