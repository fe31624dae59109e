#pragma once

#include "app/shell/MainPage.h"

// The screen for the buddy list; an empty page until it is built.
class BuddyListPage : public MainPage {
public:
    BuddyListPage()
        : MainPage(L"BuddyList", TabBar::TabBuddies)
    {
    }
};
