#pragma once

#include "app/shell/EmptyPage.h"

// The screen for the buddy requests; an empty page until it is built.
class BuddyRequestListPage : public EmptyPage {
public:
    BuddyRequestListPage()
        : EmptyPage(L"BuddyRequestList")
    {
    }
};
