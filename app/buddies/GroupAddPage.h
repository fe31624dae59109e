#pragma once

#include "app/shell/EmptyPage.h"

#include <string>

// The screen for adding a group; an empty page until it is built. The status bar's
// confirm button reads the name typed.
class GroupAddPage : public EmptyPage {
public:
    GroupAddPage()
        : EmptyPage(L"GroupAdd")
    {
    }

    std::wstring GetGroupName() const { return L""; }
};
