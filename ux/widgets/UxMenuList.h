#pragma once

#include "ux/widgets/UxListWindow.h"

class UxPopupMenu;

// The list inside a popup menu: its background, its rows and its clicked rows are the
// menu's to decide.
class UxMenuList : public UxListWindow {
public:
    explicit UxMenuList(UxPopupMenu* owner);

    bool OnPointerClick(int32_t x, int32_t y) override;
    bool PaintBackground(UxDeviceContext* surface, const plat::RECT& rect) override;
    bool DrawRow(UxDeviceContext* surface, int32_t index, const plat::RECT& clip, const plat::RECT& rowClip) override;

    // The list window's own row look, for menus that keep it.
    bool DrawDefaultRow(UxDeviceContext* surface, int32_t index, const plat::RECT& clip, const plat::RECT& rowClip)
    {
        return UxListWindow::DrawRow(surface, index, clip, rowClip);
    }
    UxPopupMenu* GetOwner() const { return m_owner; }

private:
    UxPopupMenu* m_owner;
};
