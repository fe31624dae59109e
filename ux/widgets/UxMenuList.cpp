#include "ux/widgets/UxMenuList.h"

#include "ux/widgets/UxPopupMenu.h"

UxMenuList::UxMenuList(UxPopupMenu* owner)
    : m_owner(owner)
{
}

bool UxMenuList::OnPointerClick(int32_t x, int32_t y)
{
    if (!UxListWindow::OnPointerClick(x, y))
        return false;
    if (m_owner && IsValidRow(GetSelection()) && IsInside(x, y))
        m_owner->OnRowClicked(GetSelection());
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
