#pragma once

#include "app/buddies/BuddyProfileButtonBar.h"
#include "app/buddies/BuddyProfileView.h"
#include "app/shell/EmptyPage.h"

#include <string>

// A buddy's profile under the title "친구 프로필": its rows, and the block and delete
// buttons.
class BuddyProfilePage : public EmptyPage {
public:
    BuddyProfilePage()
        : EmptyPage(L"BuddyProfile")
        , m_buttonBar(m_view)
    {
    }
    ~BuddyProfilePage() override;

    bool Create() override;
    void OnWillShow() override;

    // The buddy to show (its id) and the group it was tapped under.
    void SetBuddy(const std::wstring& buddyId, const std::wstring& groupId) { m_view.SetBuddy(buddyId, groupId); }
    // The buddy's flags or texts changed: repaints when it is the one shown.
    void Refresh(const std::wstring& buddyId);
    // The buddy moved to another group: the page shows that one when it shows the buddy.
    void MoveBuddy(const std::wstring& buddyId, const std::wstring& groupId);
    // The session ended: no buddy is shown.
    void ClearSession() { m_view.SetBuddy(L"", L""); }

    BuddyProfileView& GetView() { return m_view; }
    UxWindow* GetKeyView() override { return &m_view; }
    BuddyProfileButtonBar& GetButtonBar() { return m_buttonBar; }

private:
    BuddyProfileView m_view;
    BuddyProfileButtonBar m_buttonBar;
};
