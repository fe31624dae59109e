#pragma once

#include "app/shell/EmptyPage.h"

// The screen for adding a buddy; an empty page until it is built.
class BuddyAddPage : public EmptyPage {
public:
    BuddyAddPage()
        : EmptyPage(L"BuddyAdd")
    {
    }
};
