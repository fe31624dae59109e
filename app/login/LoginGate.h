#pragma once

#include "app/shell/EmptyPage.h"

// The saved-login screen; a plain screen until it is built.
class LoginGate : public EmptyPage {
public:
    LoginGate()
        : EmptyPage(L"Gate", false)
    {
    }
    // Makes the gate the one login window shown.
    void Show() { SetVisible(true); }
};
