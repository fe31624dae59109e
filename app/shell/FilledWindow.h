#pragma once

#include "platform/gdi/GdiTypes.h"
#include "ux/core/UxWindow.h"

// A bar, a form or a page of text filled with its node's "_BackColor" under its
// children. Classes that add children remove them in their own destructor, before the
// members go.
class FilledWindow : public UxWindow {
public:
    // The window keys and "_BackColor".
    bool ApplySkin(UxXmlNode* node) override;
    bool OnPaint(UxDeviceContext* surface, const plat::RECT& rect) override;

private:
    plat::COLORREF m_backColor = 0xFFFFFF;
};
