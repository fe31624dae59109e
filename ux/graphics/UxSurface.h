#pragma once

#include "platform/gdi/GdiTypes.h"
#include "ux/graphics/UxDeviceContext.h"

// A small off-screen surface: one memory context with a 1 x 1 bitmap of its own, used
// as a colour to stretch over an area.
class UxSurface {
public:
    UxSurface() = default;
    virtual ~UxSurface() = default;
    UxSurface(const UxSurface&) = delete;
    UxSurface& operator=(const UxSurface&) = delete;

    bool Create();
    // Fills the whole bitmap.
    bool Fill(plat::COLORREF colour);

    UxDeviceContext& GetDC() { return m_dc; }

private:
    UxDeviceContext m_dc;
};
