#pragma once

#include "ux/core/UxWindow.h"
#include "ux/graphics/UxImageItem.h"

// One picture stretched over the window.
class UxImageWindow : public UxWindow {
public:
    bool OnPaint(UxDeviceContext* surface, const plat::RECT& rect) override;
    // The window keys, then the image-item keys of the same node.
    bool ApplySkin(UxXmlNode* node) override;

    UxImageItem& GetImage() { return m_image; }

private:
    UxImageItem m_image;
};

// Draws image over the whole client area of window, only where rect (surface space)
// asks, so a partial repaint takes the matching part of the picture.
void DrawWindowImage(UxWindow& window, UxImageItem& image, UxDeviceContext& surface, const plat::RECT& rect);
