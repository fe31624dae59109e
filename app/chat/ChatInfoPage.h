#pragma once

#include "app/chat/ChatInfoView.h"
#include "ux/core/UxPanel.h"

// The participants of a chat, opened from the chat list under the disclosure bar.
class ChatInfoPage : public UxPanel {
public:
    ~ChatInfoPage() override;

    bool Create();
    void OnWillShow() override;
    // The keyboard's row does not outlive the visit.
    void OnWillHide() override;

    ChatInfoView& GetView() { return m_view; }
    UxWindow* GetKeyView() override { return &m_view; }

private:
    ChatInfoView m_view;
};
