#pragma once

#include "platform/gdi/GdiTypes.h"

#include <cstdint>

// How a surface is laid onto another when the screen is composed.
struct UxBlitInfo {
    enum DrawMethod : int32_t { BitBlt = 0, TransparentBlt = 1, AlphaBlend = 2, AlphaBlendPerPixel = 3 };

    plat::RECT DestRect;
    plat::RECT SourceRect;
    int32_t Method = BitBlt;
    // Colour key for TransparentBlt; the low byte is the constant alpha for AlphaBlend.
    uint32_t Value = 0;

    void Clear();
    // Widens each rect to take in the given one (plain min/max; empty rects count too).
    void Unite(const plat::RECT& dest, const plat::RECT& source);
};
