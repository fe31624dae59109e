#pragma once

#include "platform/event/Message.h"
#include "ux/core/UxSingleton.h"

#include <vector>

class UxObject;
class UxWindow;

// Remembers the one open popup and, when it is a popup menu, its list window.
class UxPopupInstance : public UxSingleton<UxPopupInstance> {
public:
    ~UxPopupInstance() override;

    UxWindow* GetPopup() const { return m_popup; }
    void SetPopup(UxWindow* popup) { m_popup = popup; }

    // The list window of an open popup menu (painting skips what lies wholly under it).
    UxWindow* GetMenuList() const { return m_menuList; }
    void SetMenuList(UxWindow* list) { m_menuList = list; }

    // Deletes object once the message being handled now is done: a closed popup may
    // still be on the stack of its own button's handler. Whatever is left goes with
    // the instance.
    void DeleteLater(UxObject* object);
    void DeletePending();
    bool IsPending(const UxObject* object) const;

private:
    static plat::LRESULT WindowProc(plat::HWND, plat::UINT, plat::WPARAM, plat::LPARAM);

    UxWindow* m_popup = nullptr;
    UxWindow* m_menuList = nullptr;
    std::vector<UxObject*> m_pending;
    plat::HWND m_window = nullptr;
    bool m_posted = false;
};
