#pragma once

#include "app/shell/EmptyPage.h"

// The screen for choosing a group; an empty page until it is built.
class GroupSelectPage : public EmptyPage {
public:
    GroupSelectPage()
        : EmptyPage(L"GroupSelect")
    {
    }
};
