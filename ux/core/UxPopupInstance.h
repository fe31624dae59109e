#pragma once

#include "ux/core/UxSingleton.h"

class UxWindow;
class UxListWindow;

// Remembers the one open popup and, when it is a popup menu, its list window.
class UxPopupInstance : public UxSingleton<UxPopupInstance> {
public:
    UxWindow* GetPopup() const { return m_popup; }
    void SetPopup(UxWindow* popup) { m_popup = popup; }

    UxListWindow* GetMenuList() const { return m_menuList; }
    void SetMenuList(UxListWindow* list) { m_menuList = list; }

private:
    UxWindow* m_popup = nullptr;
    UxListWindow* m_menuList = nullptr;
};
