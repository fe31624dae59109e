#pragma once

#include "app/shell/EmptyPage.h"

// The screen for adding a group; an empty page until it is built.
class GroupAddPage : public EmptyPage {
public:
    GroupAddPage()
        : EmptyPage(L"GroupAdd")
    {
    }
};
