#include "app/shell/FramedList.h"

#include "ux/core/UxRect.h"
#include "ux/graphics/UxDeviceContext.h"

bool FramedList::ApplySkin(UxXmlNode* node)
{
    return node && UxListWindow::ApplySkin(node) && m_frame.Read(node);
}

bool FramedList::PaintBackground(UxDeviceContext* surface, const plat::RECT& rect)
{
    surface->FillRect(m_frame.backColor, rect);
    return true;
}

bool FramedList::DrawRow(
    UxDeviceContext* surface, int32_t index, const plat::RECT& clip, const plat::RECT& rowClip)
{
    // A row folded to nothing still comes here; a fill of an empty clip would cover the
    // whole surface.
    if (IsRectEmpty(clip))
        return true;
    const plat::POINT origin = GetSurfaceOffset();
    UxListItemPainter painter(this, surface, index, rowClip, OffsetRect(GetRowRect(index), origin.x, origin.y));
    const bool selected = IsRowLit(index);
    if (selected && !IsRectEmpty(m_frame.selectionBar.rect))
        m_frame.selectionBar.Draw(painter);
    else
        surface->FillRect(m_frame.backColor, clip);
    if (DrawItems(painter, index, selected))
        m_frame.line.Draw(painter);
    return true;
}

void FramedList::AddItemRows(int32_t count)
{
    SetAnimate(false);
    for (int32_t row = 0; row < count; ++row)
        AddRow(m_frame.MakeRow(UxListRow::Item));
    SetAnimate(true);
}

void FramedList::AddFixedRows(int32_t count)
{
    GetYAxis().SetDraggable(false);
    AddItemRows(count);
}
