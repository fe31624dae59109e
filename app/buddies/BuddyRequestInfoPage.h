#pragma once

#include "app/shell/EmptyPage.h"

#include <string>

// The screen for one buddy request; an empty page until it is built.
class BuddyRequestInfoPage : public EmptyPage {
public:
    BuddyRequestInfoPage()
        : EmptyPage(L"BuddyRequestInfo")
    {
    }

    // The request to show: the asking buddy's id and the group it will join.
    void SetRequest(const std::wstring& buddyId, const std::wstring& groupId)
    {
        m_buddyId = buddyId;
        m_groupId = groupId;
    }
    const std::wstring& GetBuddyId() const { return m_buddyId; }
    const std::wstring& GetGroupId() const { return m_groupId; }

private:
    std::wstring m_buddyId;
    std::wstring m_groupId;
};
