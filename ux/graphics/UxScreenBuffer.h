#pragma once

#include "ux/graphics/UxDeviceContext.h"

#include <cstdint>

class UxWindow;

// Composes the surfaces painted this paint onto the screen, dimming what lies behind an
// open popup. Without a popup the surfaces go straight to the paint context.
class UxScreenBuffer {
public:
    UxScreenBuffer() = default;
    virtual ~UxScreenBuffer() = default;
    UxScreenBuffer(const UxScreenBuffer&) = delete;
    UxScreenBuffer& operator=(const UxScreenBuffer&) = delete;

    bool Present(UxDeviceContext& paintDC, int32_t width, int32_t height);
    // Draws one surface by its blit info; the destination rect, empty when drawing failed.
    plat::RECT DrawSurface(UxDeviceContext& target, UxDeviceContext& surface);
    bool CreateBackBuffer(int32_t width, int32_t height);

    void SetForceBackBuffer(bool force) { m_force = force ? 1 : 0; }
    UxDeviceContext& GetBackBuffer() { return m_backBuffer; }
    // What the last Present copied from the back buffer (empty when it drew directly).
    const plat::RECT& GetLastCopyRect() const { return m_lastCopy; }

private:
    uint8_t m_force = 0;
    UxDeviceContext m_backBuffer;
    plat::RECT m_lastCopy;
};
