#include "ux/core/UxRect.h"

#include <algorithm>

namespace {

// Edges can lie anywhere in the int range (skin rectangles do): a shift stops at its ends
// instead of wrapping round to the other side.
int32_t Shifted(int32_t edge, int32_t by)
{
    return static_cast<int32_t>(std::clamp<int64_t>(int64_t(edge) + by, INT32_MIN, INT32_MAX));
}

} // namespace

bool PointInRect(const plat::RECT& rect, const plat::POINT& point)
{
    return rect.left <= point.x && point.x <= rect.right && rect.top <= point.y && point.y <= rect.bottom;
}

bool IntersectRect(const plat::RECT& a, const plat::RECT& b, plat::RECT* out)
{
    if (a.left >= b.right || a.top >= b.bottom || a.right <= b.left || a.bottom <= b.top)
        return false;
    if (out) {
        *out = { std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom) };
    }
    return true;
}

bool ContainsRect(const plat::RECT& a, const plat::RECT& b)
{
    return a.left <= b.left && a.top <= b.top && a.right >= b.right && a.bottom >= b.bottom;
}

void UnionRect(plat::RECT& a, const plat::RECT& b)
{
    a.left = std::min(a.left, b.left);
    a.top = std::min(a.top, b.top);
    a.right = std::max(a.right, b.right);
    a.bottom = std::max(a.bottom, b.bottom);
}

void UniteRect(plat::RECT& area, const plat::RECT& rect)
{
    if (IsRectEmpty(rect))
        return;
    if (IsRectEmpty(area))
        area = rect;
    else
        UnionRect(area, rect);
}

bool RectsDiffer(const plat::RECT& a, const plat::RECT& b)
{
    return a.left != b.left || a.top != b.top || a.right != b.right || a.bottom != b.bottom;
}

bool IsRectEmpty(const plat::RECT& rect)
{
    return rect.left == rect.right || rect.top == rect.bottom;
}

plat::RECT OffsetRect(const plat::RECT& rect, int32_t dx, int32_t dy)
{
    return { Shifted(rect.left, dx), Shifted(rect.top, dy), Shifted(rect.right, dx), Shifted(rect.bottom, dy) };
}
