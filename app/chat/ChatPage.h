#pragma once

#include "app/chat/ChatInputBar.h"
#include "app/chat/ChatOutput.h"
#include "messenger/ChatView.h"
#include "ux/core/UxPanel.h"

#include <memory>
#include <string>

class Buddy;
class ChatSession;

// The buddy behind a chat's peer or participant id: by mail-form id, else by user id.
const Buddy* FindChatBuddy(const std::wstring& id);

// The page of one chat: the conversation above, the input bar below. Its session owns
// it; the pages of all open chats sit side by side under the chat status bar.
class ChatPage : public UxPanel, public ChatView {
public:
    ChatPage();
    // Leaves the window tree.
    ~ChatPage() override;

    // Builds the page from "Chat" and hides it; false when the page's skin cannot be
    // applied. The session is not set yet.
    bool Create();
    void SetSession(ChatSession* session) { m_session = session; }
    ChatSession* GetSession() const { return m_session; }

    void OnWillShow() override;
    void OnHidden() override;
    bool OnPaint(UxDeviceContext* surface, const plat::RECT& rect) override;

    // Set by the chat status bar's close, just before it goes back: the chat ends once
    // the page is hidden.
    void SetClosing(bool closing) { m_closing = closing ? 1 : 0; }

    // The page of a new session: built, given the session and put into the window tree.
    static std::unique_ptr<ChatView> Make(ChatSession& session);
    // The open one-to-one chat with this buddy shows the buddy's status and whether the
    // input is possible.
    static void RefreshPeer(const std::wstring& email);

    // False when the user shows as offline or is offline, or the peer, a buddy, is
    // offline (and has said nothing here since) or blocked.
    bool CanChat() const;
    // Why the input is off: the user shows as offline, or the peer is offline or
    // blocked; empty otherwise.
    std::wstring GetDisabledReason() const;

    // ChatView.
    void AddLine(const std::wstring& text, int kind) override { m_output.AddLine(text, kind); }
    void SetDate(const std::wstring& text) override { m_output.SetDate(text); }
    void UpdateTitle() override { m_output.UpdateTitle(); }
    void UpdatePeerStatusIcon() override { m_output.UpdatePeerStatusIcon(); }
    void UpdateInputBar() override;
    bool IsOnTop() const override;
    void SendMessage(const std::wstring& text) override { m_inputBar.SendMessage(text); }

    // The conversation, for the page keys.
    UxWindow* GetKeyView() override { return &m_output.GetTranscript(); }
    // The next chat in the chat list's order (backwards: the one before), round at the
    // ends, in place of the chat shown; from a main page the first (or the last) chat
    // over it. False when no chat is open or another page is shown.
    static bool ShowNextChat(bool backwards);

    ChatOutput& GetOutput() { return m_output; }
    ChatInputBar& GetInputBar() { return m_inputBar; }

private:
    bool PeerSpoke() const;

    uint8_t m_closing = 0;
    ChatSession* m_session = nullptr;
    ChatOutput m_output;
    ChatInputBar m_inputBar;
    plat::COLORREF m_backColor = 0xFFFFFF;
};
