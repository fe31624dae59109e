#pragma once

#include "app/shell/EmptyPage.h"

// The screen for one buddy request; an empty page until it is built.
class BuddyRequestInfoPage : public EmptyPage {
public:
    BuddyRequestInfoPage()
        : EmptyPage(L"BuddyRequestInfo")
    {
    }
};
