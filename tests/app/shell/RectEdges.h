#pragma once

#include "platform/event/Message.h"

#include <array>
#include <cstdint>

// A rectangle's left, top, right and bottom, comparable in expectations.
inline std::array<int32_t, 4> Edges(const plat::RECT& r)
{
    return { r.left, r.top, r.right, r.bottom };
}
