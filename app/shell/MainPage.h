#pragma once

#include "app/shell/EmptyPage.h"

// One of the four main pages (buddy list, chat list, memo list, options), which carry
// the tab bar that switches between them.
class MainPage : public EmptyPage {
public:
    using EmptyPage::EmptyPage;
};
