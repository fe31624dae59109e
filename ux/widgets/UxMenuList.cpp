#include "ux/widgets/UxMenuList.h"

#include "ux/widgets/UxPopupMenu.h"

UxMenuList::UxMenuList(UxPopupMenu* owner)
    : m_owner(owner)
{
}

bool UxMenuList::OnPointerClick(int32_t x, int32_t y)
{
    const int32_t pressed = GetSelection();
    if (!UxListWindow::OnPointerClick(x, y))
        return false;
    if (!m_owner || !IsValidRow(pressed) || !IsInside(x, y))
        return true;
    // A tapped item is the menu's answer, read as it closes.
    if (GetRow(pressed).kind != UxListRow::Header)
        SetSelection(pressed);
    m_owner->OnRowClicked(pressed);
    return true;
}

bool UxMenuList::PaintBackground(UxDeviceContext* surface, const plat::RECT& rect)
{
    return m_owner ? m_owner->PaintListBackground(surface, rect) : UxListWindow::PaintBackground(surface, rect);
}

bool UxMenuList::DrawRow(UxDeviceContext* surface, int32_t index, const plat::RECT& clip, const plat::RECT& rowClip)
{
    return m_owner ? m_owner->DrawRow(surface, index, clip, rowClip) : DrawDefaultRow(surface, index, clip, rowClip);
}
