#include "ux/widgets/UxButton.h"

#include "platform/display/VirtualKeys.h"
#include "ux/core/UxRect.h"
#include "ux/graphics/UxDeviceContext.h"
#include "ux/markup/UxXmlNode.h"
#include "ux/widgets/UxImageWindow.h"

bool ApplyChildImage(UxXmlNode* node, const wchar_t* name, UxImageItem& item)
{
    UxXmlNode* child = node ? node->FindChild(name) : nullptr;
    return !child || item.ApplySkin(child);
}

bool ApplyChildLabel(UxXmlNode* node, const wchar_t* name, UxTextItem& item)
{
    UxXmlNode* child = node ? node->FindChild(name) : nullptr;
    return !child || item.ApplySkin(child);
}

void ApplyChildPoint(UxXmlNode* node, const wchar_t* name, plat::POINT& point)
{
    if (UxXmlNode* child = node ? node->FindChild(name) : nullptr)
        point = child->GetPoint();
}

void DrawWindowLabel(
    UxWindow& window, UxTextItem& label, const plat::POINT& offset, UxDeviceContext& surface, const plat::RECT& rect)
{
    if (label.GetText().empty())
        return;
    plat::RECT r = OffsetRect(window.ClientToSurface(window.GetClientRect()), offset.x, offset.y);
    label.Draw(surface, r, rect);
}

void DrawFocusFrame(UxWindow& window, plat::COLORREF colour, UxDeviceContext& surface, const plat::RECT& rect)
{
    constexpr int32_t kFrame = 2;
    const plat::RECT box = window.ClientToSurface(window.GetClientRect());
    for (const plat::RECT& edge : { plat::RECT { box.left, box.top, box.right, box.top + kFrame },
             plat::RECT { box.left, box.bottom - kFrame, box.right, box.bottom },
             plat::RECT { box.left, box.top, box.left + kFrame, box.bottom },
             plat::RECT { box.right - kFrame, box.top, box.right, box.bottom } }) {
        plat::RECT part;
        if (IntersectRect(edge, rect, &part))
            surface.FillRect(colour, part);
    }
}

void ApplyFocusColor(UxXmlNode* node, plat::COLORREF& colour)
{
    if (UxXmlNode* focus = node ? node->FindChild(L"FocusColor") : nullptr)
        colour = focus->GetColor();
}

bool UxButton::OnPointerDown(int32_t x, int32_t y)
{
    m_pressed = 1;
    Invalidate();
    return UxWindow::OnPointerDown(x, y);
}

bool UxButton::OnPointerMove(int32_t x, int32_t y)
{
    uint8_t pressed = IsInside(x, y) ? 1 : 0;
    if (pressed != m_pressed) {
        m_pressed = pressed;
        Invalidate();
    }
    return UxWindow::OnPointerMove(x, y);
}

bool UxButton::OnPointerUp(int32_t x, int32_t y)
{
    m_pressed = 0;
    Invalidate();
    return UxWindow::OnPointerUp(x, y);
}

bool UxButton::OnPaint(UxDeviceContext* surface, const plat::RECT& rect)
{
    if (!surface)
        return true;
    UxImageItem* image = &m_defaultImage;
    UxTextItem* label = &m_defaultLabel;
    const plat::POINT* offset = &m_defaultOffset;
    if (IsCaptured() && m_pressed) {
        if (m_clickedImage.GetHandle() != -1)
            image = &m_clickedImage;
        if (!m_clickedLabel.GetText().empty()) {
            label = &m_clickedLabel;
            offset = &m_clickedOffset;
        }
    }
    DrawWindowImage(*this, *image, *surface, rect);
    DrawWindowLabel(*this, *label, *offset, *surface, rect);
    // Over the picture, which fills the button.
    if (m_tabStop && IsFocused())
        DrawFocusFrame(*this, m_focusColor, *surface, rect);
    return true;
}

bool UxButton::OnKeyDown(uintptr_t key, intptr_t keyData)
{
    // A key held since before the button had the keyboard clicks nothing.
    if ((key != plat::VK_SPACE && key != plat::VK_RETURN) || !m_tabStop || (uintptr_t(keyData) & 0x40000000u))
        return UxWindow::OnKeyDown(key, keyData);
    return ReportKeyClick();
}

bool UxButton::OnFocusChanged(bool focused)
{
    if (m_tabStop)
        Invalidate();
    return UxWindow::OnFocusChanged(focused);
}

bool UxButton::ApplySkin(UxXmlNode* node)
{
    if (!UxWindow::ApplySkin(node))
        return false;
    if (!ApplyChildImage(node, L"DefaultImage", m_defaultImage)
        || !ApplyChildImage(node, L"ClickedImage", m_clickedImage)
        || !ApplyChildLabel(node, L"DefaultLabel", m_defaultLabel)
        || !ApplyChildLabel(node, L"ClickedLabel", m_clickedLabel))
        return false;
    ApplyChildPoint(node, L"DefaultLabelOffset", m_defaultOffset);
    ApplyChildPoint(node, L"ClickedLabelOffset", m_clickedOffset);
    ApplyFocusColor(node, m_focusColor);
    return true;
}
