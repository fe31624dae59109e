#pragma once

#include "app/buddies/BuddyRequestInfoButtonBar.h"
#include "app/buddies/BuddyRequestInfoView.h"
#include "app/shell/EmptyPage.h"

#include <string>

// One buddy request under the title "친구 요청함", with accept and reject.
class BuddyRequestInfoPage : public EmptyPage {
public:
    BuddyRequestInfoPage()
        : EmptyPage(L"BuddyRequestInfo")
        , m_buttonBar(m_view)
    {
    }
    ~BuddyRequestInfoPage() override;

    bool Create() override;
    void OnWillShow() override;

    // The request to show: the asking buddy's id and the group it will join.
    void SetRequest(const std::wstring& buddyId, const std::wstring& groupId) { m_view.SetRequest(buddyId, groupId); }
    // Shows the request of the buddy just asked about, for the default group. A group
    // chooser or buddy picker on top closes first without applying its choice (it was
    // not made for this request); the page opens where that screen was, or shows the
    // new request in place when it is already open.
    void OpenAsked(const std::wstring& buddyId);
    // The group chosen on the group select screen.
    void SetGroup(const std::wstring& groupId) { m_view.SetGroup(groupId); }
    const std::wstring& GetBuddyId() const { return m_view.GetBuddyId(); }
    const std::wstring& GetGroupId() const { return m_view.GetGroupId(); }
    // The session ended: no request is shown.
    void ClearSession() { m_view.SetRequest(L"", L""); }

    BuddyRequestInfoView& GetView() { return m_view; }
    UxWindow* GetKeyView() override { return &m_view; }
    BuddyRequestInfoButtonBar& GetButtonBar() { return m_buttonBar; }

private:
    BuddyRequestInfoView m_view;
    BuddyRequestInfoButtonBar m_buttonBar;
};
