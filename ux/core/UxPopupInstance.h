#pragma once

#include "ux/core/UxSingleton.h"

class UxWindow;

// Remembers the one open popup and, when it is a popup menu, its list window.
class UxPopupInstance : public UxSingleton<UxPopupInstance> {
public:
    UxWindow* GetPopup() const { return m_popup; }
    void SetPopup(UxWindow* popup) { m_popup = popup; }

    // The list window of an open popup menu (painting skips what lies wholly under it).
    UxWindow* GetMenuList() const { return m_menuList; }
    void SetMenuList(UxWindow* list) { m_menuList = list; }

private:
    UxWindow* m_popup = nullptr;
    UxWindow* m_menuList = nullptr;
};
