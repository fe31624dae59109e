#pragma once

#include "platform/event/Message.h"

#include <cstdint>

// Integer rectangle and point helpers shared by the window tree, painting and routing.

// The right and bottom edges count as inside.
bool PointInRect(const plat::RECT& rect, const plat::POINT& point);
// Touching edges do not overlap. out, when given, receives the overlap.
bool IntersectRect(const plat::RECT& a, const plat::RECT& b, plat::RECT* out = nullptr);
bool ContainsRect(const plat::RECT& a, const plat::RECT& b);
// Grows a to cover b.
void UnionRect(plat::RECT& a, const plat::RECT& b);
// Grows area to cover rect: an empty area becomes rect, an empty rect adds nothing.
void UniteRect(plat::RECT& area, const plat::RECT& rect);
bool RectsDiffer(const plat::RECT& a, const plat::RECT& b);
// No width or no height.
bool IsRectEmpty(const plat::RECT& rect);
// Edges stop at the ends of the int range rather than wrap.
plat::RECT OffsetRect(const plat::RECT& rect, int32_t dx, int32_t dy);
