#pragma once

#include "ux/graphics/UxDeviceContext.h"

// What a paint bracket needs from the window being painted (the device window).
class UxPaintHost {
public:
    // Starts painting: the context to draw into and the rectangle to repaint.
    virtual plat::HDC BeginPaint(plat::RECT& paintRect) = 0;
    virtual void EndPaint() = 0;
    // The rectangle being repainted, kept while the paint runs.
    virtual void SetRepaintRect(const plat::RECT& rect) = 0;
    // Clears the accumulated dirty rectangle.
    virtual void ResetInvalidRect() = 0;

protected:
    ~UxPaintHost() = default;
};

// Brackets one paint: the host's paint context, wrapped without being released.
class UxPaintDC : public UxDeviceContext {
public:
    explicit UxPaintDC(UxPaintHost& host);
    ~UxPaintDC() override;

    const plat::RECT& GetPaintRect() const { return m_paintRect; }

private:
    UxPaintHost& m_host;
    plat::RECT m_paintRect;
};
