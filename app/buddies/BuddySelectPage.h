#pragma once

#include "app/shell/EmptyPage.h"

#include <string>
#include <vector>

class ChatSession;

// The screen for choosing buddies; an empty page until it is built.
class BuddySelectPage : public EmptyPage {
public:
    BuddySelectPage()
        : EmptyPage(L"BuddySelect")
    {
    }

    // Buddies ticked here are invited into the session when the picker is left.
    void SetInviteMode(ChatSession& session) { m_session = &session; }
    // The memo writer's receivers (mail-form ids); the ticked ones replace them when the
    // picker is left.
    void SetReceiverMode(const std::vector<std::wstring>& receivers)
    {
        m_session = nullptr;
        m_receivers = receivers;
    }

private:
    ChatSession* m_session = nullptr;
    std::vector<std::wstring> m_receivers;
};
