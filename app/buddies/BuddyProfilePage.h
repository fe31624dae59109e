#pragma once

#include "app/shell/EmptyPage.h"

// The screen for a buddy's profile; an empty page until it is built.
class BuddyProfilePage : public EmptyPage {
public:
    BuddyProfilePage()
        : EmptyPage(L"BuddyProfile")
    {
    }
};
