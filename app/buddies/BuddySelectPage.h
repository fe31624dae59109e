#pragma once

#include "app/shell/EmptyPage.h"

// The screen for choosing buddies; an empty page until it is built.
class BuddySelectPage : public EmptyPage {
public:
    BuddySelectPage()
        : EmptyPage(L"BuddySelect")
    {
    }
};
