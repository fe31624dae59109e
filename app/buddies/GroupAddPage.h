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

    const std::wstring& GetGroupName() const { return m_name; }
    void SetGroupName(const std::wstring& name) { m_name = name; }

private:
    std::wstring m_name;
};
