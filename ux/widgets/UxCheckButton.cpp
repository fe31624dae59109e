#include "ux/widgets/UxCheckButton.h"

#include "platform/display/VirtualKeys.h"
#include "ux/core/UxRect.h"
#include "ux/graphics/UxDeviceContext.h"
#include "ux/markup/UxXmlNode.h"
#include "ux/widgets/UxButton.h"
#include "ux/widgets/UxImageWindow.h"

bool UxCheckButton::OnPointerDown(int32_t x, int32_t y)
{
    if (!Enabled)
        return true;
    m_pressed = 1;
    Invalidate();
    return UxWindow::OnPointerDown(x, y);
}

bool UxCheckButton::OnPointerMove(int32_t x, int32_t y)
{
    if (!Enabled)
        return true;
    uint8_t pressed = IsInside(x, y) ? 1 : 0;
    if (pressed != m_pressed) {
        m_pressed = pressed;
        Invalidate();
    }
    return UxWindow::OnPointerMove(x, y);
}

bool UxCheckButton::OnPointerUp(int32_t x, int32_t y)
{
    if (!Enabled)
        return true;
    if (IsInside(x, y))
        m_checked = m_checked ? 0 : 1;
    m_pressed = 0;
    Invalidate();
    return UxWindow::OnPointerUp(x, y);
}

bool UxCheckButton::OnKeyDown(uintptr_t key, intptr_t keyData)
{
    if (key != plat::VK_SPACE || !Enabled || !m_tabStop || (uintptr_t(keyData) & 0x40000000u))
        return UxWindow::OnKeyDown(key, keyData);
    m_checked = m_checked ? 0 : 1;
    Invalidate();
    return ReportKeyClick();
}

bool UxCheckButton::OnFocusChanged(bool focused)
{
    if (m_tabStop)
        Invalidate();
    return UxWindow::OnFocusChanged(focused);
}

bool UxCheckButton::OnPaint(UxDeviceContext* surface, const plat::RECT& rect)
{
    if (!surface)
        return true;
    // A box the keyboard is on has a frame round it.
    if (m_tabStop && IsFocused())
        DrawFocusFrame(*this, m_focusColor, *surface, rect);
    // While pressed the other image previews what a release would give.
    bool showChecked = m_checked != 0;
    if (IsCaptured() && m_pressed)
        showChecked = !showChecked;
    DrawWindowImage(*this, showChecked ? m_checkedImage : m_defaultImage, *surface, rect);
    if (m_checked)
        DrawWindowLabel(*this, m_checkedLabel, m_checkedOffset, *surface, rect);
    else
        DrawWindowLabel(*this, m_defaultLabel, m_defaultOffset, *surface, rect);
    return true;
}

bool UxCheckButton::ApplySkin(UxXmlNode* node)
{
    if (!UxWindow::ApplySkin(node))
        return false;
    if (!ApplyChildImage(node, L"DefaultImage", m_defaultImage)
        || !ApplyChildImage(node, L"CheckedImage", m_checkedImage)
        || !ApplyChildLabel(node, L"DefaultLabel", m_defaultLabel)
        || !ApplyChildLabel(node, L"CheckedLabel", m_checkedLabel))
        return false;
    ApplyChildPoint(node, L"DefaultLabelOffset", m_defaultOffset);
    ApplyChildPoint(node, L"CheckedLabelOffset", m_checkedOffset);
    ApplyFocusColor(node, m_focusColor);
    return true;
}

void UxCheckButton::SetChecked(bool checked)
{
    m_checked = checked ? 1 : 0;
    Invalidate();
}
