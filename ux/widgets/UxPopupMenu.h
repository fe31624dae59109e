#pragma once

#include "ux/widgets/UxLinearLayout.h"
#include "ux/widgets/UxMenuList.h"
#include "ux/widgets/UxPopup.h"

// A popup holding a list laid out inside a margin; tapping an item row closes it with
// result 1, and the close callback reads the list's selection. Application menus draw
// their own rows and may act on clicks themselves.
class UxPopupMenu : public UxPopup {
public:
    UxPopupMenu();
    ~UxPopupMenu() override;

    // The popup's keys, then "Layout" ("Margin", "Spacing"); the list then fills the
    // layout.
    bool ApplySkin(UxXmlNode* node) override;

    // White.
    virtual bool PaintListBackground(UxDeviceContext* surface, const plat::RECT& rect);
    // The list window's own look.
    virtual bool DrawRow(UxDeviceContext* surface, int32_t index, const plat::RECT& clip, const plat::RECT& rowClip);
    // An item row closes the menu with result 1; a header row does nothing.
    virtual void OnRowClicked(int32_t index);
    // Up and Down move the keyboard's row, Enter on it does what a tap does.
    bool OnPopupKey(uintptr_t key) override;

    UxLinearLayout& GetLayout() { return m_layout; }
    UxMenuList& GetList() { return m_list; }

private:
    UxLinearLayout m_layout;
    UxMenuList m_list;
};
