#pragma once

#include "ux/core/UxWindow.h"
#include "ux/graphics/UxTextItem.h"

#include <string>

// One text in the window's rectangle.
class UxLabel : public UxWindow {
public:
    bool OnPaint(UxDeviceContext* surface, const plat::RECT& rect) override;
    // The window keys, then the text-item keys of the same node.
    bool ApplySkin(UxXmlNode* node) override;

    UxTextItem& GetTextItem() { return m_text; }
    // Sets the text and repaints.
    void SetText(const std::wstring& text);
    const std::wstring& GetText() const { return m_text.GetText(); }

private:
    UxTextItem m_text;
};
