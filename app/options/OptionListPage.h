#pragma once

#include "app/shell/MainPage.h"

// The screen for the option list; an empty page until it is built.
class OptionListPage : public MainPage {
public:
    OptionListPage()
        : MainPage(L"OptionList", TabBar::TabOptions)
    {
    }
};
