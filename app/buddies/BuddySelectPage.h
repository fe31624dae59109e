#pragma once

#include "app/buddies/BuddySelectSearchBar.h"
#include "app/buddies/BuddySelectView.h"
#include "app/shell/EmptyPage.h"

#include <cstdint>
#include <set>
#include <string>
#include <vector>

class ChatSession;

// The buddy picker under the title "친구 선택": buddies to invite into a chat, or the
// receivers of a memo. The choice applies when the picker is left, but by Escape.
class BuddySelectPage : public EmptyPage {
public:
    enum Modes { ModeInvite = 0, ModeReceivers = 1, ModeNone = 2 };

    BuddySelectPage()
        : EmptyPage(L"BuddySelect")
    {
    }
    ~BuddySelectPage() override;

    bool Create() override;
    void OnWillShow() override;
    void OnWillHide() override;

    // Buddies ticked here are invited into the session when the picker is left. The
    // session is remembered by its serial: a chat closed meanwhile invites nobody.
    void SetInviteMode(ChatSession& session);
    // The memo writer's receivers (mail-form ids); the ticked ones replace them when the
    // picker is left, followed by those that are no buddies.
    void SetReceiverMode(const std::vector<std::wstring>& receivers);
    // The session ended: nothing is applied, and no row or search word is left on its
    // buddies.
    void ClearSession();
    // The choice was given up: leaving applies nothing.
    void Cancel() { m_mode = ModeNone; }

    int32_t GetMode() const { return m_mode; }
    BuddySelectSearchBar& GetSearchBar() { return m_searchBar; }
    BuddySelectView& GetView() { return m_view; }
    UxWindow* GetKeyView() override { return &m_view; }

private:
    // The ticked buddies' user ids, in the list's key order.
    static std::vector<std::wstring> Picked();
    // Who is in the chat to invite into (user ids): the picker leaves them out.
    std::set<std::wstring> InChat() const;
    void Invite();

    int32_t m_mode = ModeNone;
    uint64_t m_chat = 0;
    std::vector<std::wstring> m_receivers;
    BuddySelectSearchBar m_searchBar;
    BuddySelectView m_view;
    // Receivers handed in that are no buddies (typed addresses); they stay.
    std::vector<std::wstring> m_extraReceivers;
};
