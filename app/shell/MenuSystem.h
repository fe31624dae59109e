#pragma once

#include "app/shell/AppMenu.h"

// The system menu of the menu bar: add group, add buddy, buddy requests, log out.
class MenuSystem : public AppMenu {
public:
    enum Row { AddGroup = 0, AddBuddy = 1, BuddyRequests = 2, LogOut = 3, None = 4 };

    MenuSystem();
    int32_t GetSelection() { return AppMenu::GetSelection(None); }

private:
    static Look s_look;
};
