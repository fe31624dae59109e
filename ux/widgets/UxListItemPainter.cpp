#include "ux/widgets/UxListItemPainter.h"

#include "ux/core/UxRect.h"
#include "ux/core/UxWindow.h"
#include "ux/graphics/UxImageItem.h"
#include "ux/graphics/UxTextItem.h"

UxListItemPainter::UxListItemPainter(
    UxListWindow* list, UxDeviceContext* surface, int32_t index, const plat::RECT& clip, const plat::RECT& rowRect)
    : m_list(list)
    , m_surface(surface)
    , m_index(index)
    , m_clip(clip)
    , m_rowRect(rowRect)
{
}

bool UxListItemPainter::Visible(const plat::RECT& rect, plat::RECT& part) const
{
    return m_surface && IntersectRect(rect, m_clip, &part);
}

plat::RECT UxListItemPainter::ToSurface(const plat::RECT& rect) const
{
    return OffsetRect(rect, m_rowRect.left, m_rowRect.top);
}

bool UxListItemPainter::DrawImage(UxImageItem& item, const plat::RECT& rect)
{
    plat::RECT part;
    if (!Visible(rect, part) || item.GetHandle() == -1)
        return true;
    plat::POINT size { rect.right - rect.left, rect.bottom - rect.top };
    return item.Draw(*m_surface, ToSurface(part), OffsetRect(part, -rect.left, -rect.top), size);
}

bool UxListItemPainter::DrawText(UxTextItem& item, const plat::RECT& rect)
{
    plat::RECT part;
    if (!Visible(rect, part) || item.GetText().empty())
        return true;
    return item.Draw(*m_surface, ToSurface(rect), ToSurface(part));
}

bool UxListItemPainter::DrawWindow(UxWindow& window, const plat::RECT& rect)
{
    plat::RECT part;
    if (!Visible(rect, part))
        return true;
    plat::RECT at = ToSurface(rect);
    return window.DrawTo(m_surface, ToSurface(part), plat::POINT { at.left, at.top });
}
