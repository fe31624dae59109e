#pragma once

#include "ux/core/UxSingleton.h"
#include "ux/graphics/UxDeviceContext.h"

#include <cstdint>

// The near-black dot stretched, half transparent, over the screen behind an open popup.
class UxPopupBackColor : public UxSingleton<UxPopupBackColor> {
public:
    static constexpr plat::COLORREF kColor = 0x080808;
    static constexpr uint8_t kAlpha = 128;

    // Builds and fills the 1 x 1 surface; false when it cannot.
    bool Create();
    UxDeviceContext& GetSurface() { return m_surface; }
    uint8_t GetAlpha() const { return m_alpha; }

private:
    UxDeviceContext m_surface;
    uint8_t m_alpha = kAlpha;
};
