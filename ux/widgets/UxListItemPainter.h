#pragma once

#include "platform/event/Message.h"

#include <cstdint>

class UxDeviceContext;
class UxImageItem;
class UxListWindow;
class UxTextItem;
class UxWindow;

// What a DrawRow override draws one row's items with: each item is placed by a rectangle
// relative to the row and drawn only where it meets the part being repainted.
class UxListItemPainter {
public:
    // clip: relative to the row; rowRect: the row in the surface's space.
    UxListItemPainter(UxListWindow* list, UxDeviceContext* surface, int32_t index, const plat::RECT& clip,
        const plat::RECT& rowRect);

    bool DrawImage(UxImageItem& item, const plat::RECT& rect);
    bool DrawText(UxTextItem& item, const plat::RECT& rect);
    bool DrawWindow(UxWindow& window, const plat::RECT& rect);

    UxListWindow* GetList() const { return m_list; }
    int32_t GetIndex() const { return m_index; }
    const plat::RECT& GetClip() const { return m_clip; }
    const plat::RECT& GetRowRect() const { return m_rowRect; }

private:
    // The part of rect (row space) to draw, false when there is none.
    bool Visible(const plat::RECT& rect, plat::RECT& part) const;
    plat::RECT ToSurface(const plat::RECT& rect) const;

    UxListWindow* m_list;
    UxDeviceContext* m_surface;
    int32_t m_index;
    plat::RECT m_clip;
    plat::RECT m_rowRect;
};
