#pragma once

#include "ux/core/UxWindow.h"
#include "ux/graphics/UxImageItem.h"
#include "ux/graphics/UxTextItem.h"

// The frame's colour where the skin gives none.
constexpr plat::COLORREF kFocusColor = 0xF67D2E;

// A push button: shows its clicked image and label, moved by the clicked offset, while
// the pointer is down on it.
class UxButton : public UxWindow {
public:
    bool OnPointerDown(int32_t x, int32_t y) override;
    bool OnPointerMove(int32_t x, int32_t y) override;
    bool OnPointerUp(int32_t x, int32_t y) override;
    bool OnPaint(UxDeviceContext* surface, const plat::RECT& rect) override;
    // Space or Enter on a button set to take the keyboard clicks it.
    bool OnKeyDown(uintptr_t key, intptr_t keyData) override;
    bool OnFocusChanged(bool focused) override;
    // Tab stops at a button that is set to take the keyboard (and is visible).
    bool IsTabStop() const override { return m_tabStop && IsVisible(); }
    void SetTabStop(bool tabStop) { m_tabStop = tabStop ? 1 : 0; }
    // "DefaultImage", "ClickedImage", "DefaultLabel", "ClickedLabel" (child nodes) and
    // the two label offsets; stops at the first image or label that fails. "FocusColor":
    // the frame drawn round the button while it has the keyboard.
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
    uint8_t m_tabStop = 0;
    plat::COLORREF m_focusColor = kFocusColor;
};

// Reads the optional child node name of node into an image or a text item; an absent
// node is fine, a failing load is not.
bool ApplyChildImage(UxXmlNode* node, const wchar_t* name, UxImageItem& item);
bool ApplyChildLabel(UxXmlNode* node, const wchar_t* name, UxTextItem& item);
void ApplyChildPoint(UxXmlNode* node, const wchar_t* name, plat::POINT& point);
// The frame round a button or box that has the keyboard, drawn at the window's edges
// within rect; its colour unless the skin's "FocusColor" under node says otherwise.
void DrawFocusFrame(UxWindow& window, plat::COLORREF colour, UxDeviceContext& surface, const plat::RECT& rect);
void ApplyFocusColor(UxXmlNode* node, plat::COLORREF& colour);
// Draws label into window's client rectangle moved by offset.
void DrawWindowLabel(
    UxWindow& window, UxTextItem& label, const plat::POINT& offset, UxDeviceContext& surface, const plat::RECT& rect);
