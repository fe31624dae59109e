#pragma once

#include "app/shell/EmptyPage.h"

#include <string>

// The screen for adding a buddy; an empty page until it is built. The status bar's
// confirm button reads what was typed.
class BuddyAddPage : public EmptyPage {
public:
    BuddyAddPage()
        : EmptyPage(L"BuddyAdd")
    {
    }

    std::wstring GetIdText() const { return L""; }
    std::wstring GetDomainText() const { return L""; }
    std::wstring GetMessageText() const { return L""; }
    std::wstring GetGroupName() const { return L""; }
};
