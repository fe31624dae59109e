#pragma once

#include "ux/core/UxWindow.h"
#include "ux/graphics/UxImageItem.h"
#include "ux/graphics/UxTextItem.h"

// A push button: shows its clicked image and label, moved by the clicked offset, while
// the pointer is down on it.
class UxButton : public UxWindow {
public:
    bool OnPointerDown(int32_t x, int32_t y) override;
    bool OnPointerMove(int32_t x, int32_t y) override;
    bool OnPointerUp(int32_t x, int32_t y) override;
    bool OnPaint(UxDeviceContext* surface, const plat::RECT& rect) override;
    // "DefaultImage", "ClickedImage", "DefaultLabel", "ClickedLabel" (child nodes) and
    // the two label offsets; stops at the first image or label that fails.
    bool ApplySkin(UxXmlNode* node) override;

    UxImageItem& GetDefaultImage() { return m_defaultImage; }
    UxImageItem& GetClickedImage() { return m_clickedImage; }
    UxTextItem& GetDefaultLabel() { return m_defaultLabel; }
    UxTextItem& GetClickedLabel() { return m_clickedLabel; }
    bool IsPressed() const { return m_pressed != 0; }

private:
    UxImageItem m_defaultImage;
    UxImageItem m_clickedImage;
    UxTextItem m_defaultLabel;
    UxTextItem m_clickedLabel;
    plat::POINT m_defaultOffset { 0, 0 };
    plat::POINT m_clickedOffset { 1, 1 };
    uint8_t m_pressed = 0;
};

// Reads the optional child node name of node into an image or a text item; an absent
// node is fine, a failing load is not.
bool ApplyChildImage(UxXmlNode* node, const wchar_t* name, UxImageItem& item);
bool ApplyChildLabel(UxXmlNode* node, const wchar_t* name, UxTextItem& item);
void ApplyChildPoint(UxXmlNode* node, const wchar_t* name, plat::POINT& point);
// Draws label into window's client rectangle moved by offset.
void DrawWindowLabel(
    UxWindow& window, UxTextItem& label, const plat::POINT& offset, UxDeviceContext& surface, const plat::RECT& rect);
