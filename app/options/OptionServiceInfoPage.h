#pragma once

#include "app/shell/EmptyPage.h"

// The screen for the service information; an empty page until it is built.
class OptionServiceInfoPage : public EmptyPage {
public:
    OptionServiceInfoPage()
        : EmptyPage(L"OptionServiceInfo")
    {
    }
};
