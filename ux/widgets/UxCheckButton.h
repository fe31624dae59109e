#pragma once

#include "ux/core/UxWindow.h"
#include "ux/graphics/UxImageItem.h"
#include "ux/graphics/UxTextItem.h"
#include "ux/widgets/UxButton.h"

// A two-state button: toggles itself on a release inside, then tells its parent. Also
// the radio button, LED, page dot, tab and check box.
class UxCheckButton : public UxWindow {
public:
    bool OnPointerDown(int32_t x, int32_t y) override;
    bool OnPointerMove(int32_t x, int32_t y) override;
    bool OnPointerUp(int32_t x, int32_t y) override;
    bool OnPaint(UxDeviceContext* surface, const plat::RECT& rect) override;
    // Space toggles a focused box as a tap does, and tells the parent so.
    bool OnKeyDown(uintptr_t key, intptr_t keyData) override;
    bool OnFocusChanged(bool focused) override;
    // Tab stops at a box that is set to take the keyboard (and is on and visible).
    bool IsTabStop() const override { return m_tabStop && Enabled && IsVisible(); }
    void SetTabStop(bool tabStop) { m_tabStop = tabStop ? 1 : 0; }
    // "DefaultImage", "CheckedImage", "DefaultLabel", "CheckedLabel" (child nodes) and
    // the two label offsets; stops at the first image or label that fails. "FocusColor":
    // the frame drawn round the box while it has the keyboard.
    bool ApplySkin(UxXmlNode* node) override;

    // Repaints; tells nobody.
    void SetChecked(bool checked);
    bool IsChecked() const { return m_checked != 0; }
    bool IsPressed() const { return m_pressed != 0; }

    UxImageItem& GetDefaultImage() { return m_defaultImage; }
    UxImageItem& GetCheckedImage() { return m_checkedImage; }
    UxTextItem& GetDefaultLabel() { return m_defaultLabel; }
    UxTextItem& GetCheckedLabel() { return m_checkedLabel; }

    // Owners write it directly: a disabled button ignores down, move and up.
    uint8_t Enabled = 1;

private:
    UxImageItem m_defaultImage;
    UxImageItem m_checkedImage;
    UxTextItem m_defaultLabel;
    UxTextItem m_checkedLabel;
    plat::POINT m_defaultOffset { 0, 0 };
    plat::POINT m_checkedOffset { 0, 0 };
    uint8_t m_pressed = 0;
    uint8_t m_checked = 0;
    uint8_t m_tabStop = 0;
    plat::COLORREF m_focusColor = kFocusColor;
};
