#pragma once

#include "app/shell/AppMenu.h"

// The choice between the received and the sent memo box.
class MenuMemoBox : public AppMenu {
public:
    enum Row { Inbox = 0, SentBox = 1, None = 2 };

    MenuMemoBox();
    int32_t GetSelection() { return AppMenu::GetSelection(None); }

private:
    static Look s_look;
};
