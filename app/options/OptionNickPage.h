#pragma once

#include "app/shell/EmptyPage.h"

// The screen for the nick; an empty page until it is built.
class OptionNickPage : public EmptyPage {
public:
    OptionNickPage()
        : EmptyPage(L"OptionNick")
    {
    }
};
