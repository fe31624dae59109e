#pragma once

#include "app/shell/EmptyPage.h"

// The screen for one option; an empty page until it is built.
class OptionPage : public EmptyPage {
public:
    OptionPage()
        : EmptyPage(L"Option")
    {
    }
};
