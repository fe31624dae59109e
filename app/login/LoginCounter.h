#pragma once

#include "app/shell/EmptyPage.h"

// The id and password form; a plain screen until it is built.
class LoginCounter : public EmptyPage {
public:
    LoginCounter()
        : EmptyPage(L"Counter", false)
    {
    }
};
