#pragma once

#include "app/shell/EmptyPage.h"

#include <string>

// The screen for a buddy's profile; an empty page until it is built.
class BuddyProfilePage : public EmptyPage {
public:
    BuddyProfilePage()
        : EmptyPage(L"BuddyProfile")
    {
    }

    // The buddy to show (its id) and the group it was tapped under.
    void SetBuddy(const std::wstring& buddyId, const std::wstring& groupId)
    {
        m_buddyId = buddyId;
        m_groupId = groupId;
    }

private:
    std::wstring m_buddyId;
    std::wstring m_groupId;
};
