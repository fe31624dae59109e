#pragma once

#include "app/shell/EmptyPage.h"

// The connecting screen; a plain screen until it is built.
class LoginConnecting : public EmptyPage {
public:
    LoginConnecting()
        : EmptyPage(L"Connecting", false)
    {
    }
};
