#pragma once

#include "messenger/MessengerScreens.h"
#include "messenger/model/ChatSession.h"
#include "messenger/model/Memo.h"
#include "messenger/protocol/chat/ChatActions.h"
#include "messenger/protocol/memos/PktInImsg.h"

#include <algorithm>
#include <string>
#include <vector>

// Stands in for the application's screens: records every call as "Operation: text"
// (or just "Operation") and attaches itself as the current screens while it lives.
class RecordingScreens : public MessengerScreens {
public:
    RecordingScreens()
        : m_previous(MessengerScreens::GetCurrent())
    {
        MessengerScreens::SetCurrent(this);
    }
    ~RecordingScreens() override { MessengerScreens::SetCurrent(m_previous); }
    RecordingScreens(const RecordingScreens&) = delete;
    RecordingScreens& operator=(const RecordingScreens&) = delete;

    bool ShowMsgBox(const std::wstring& text) override
    {
        calls.push_back(L"ShowMsgBox: " + text);
        return true;
    }
    void ResetScreens() override { calls.push_back(L"ResetScreens"); }
    void ShowLoginForm() override { calls.push_back(L"ShowLoginForm"); }
    void RefreshMyStatus() override { calls.push_back(L"RefreshMyStatus"); }
    bool ReloadBuddyList() override
    {
        calls.push_back(L"ReloadBuddyList");
        return reloadResult;
    }
    void ShowBuddyList() override { calls.push_back(L"ShowBuddyList"); }
    void RefreshBuddy(const std::wstring& id) override { calls.push_back(L"RefreshBuddy: " + id); }
    void PlayAlert(int alert) override { calls.push_back(L"PlayAlert: " + std::to_wstring(alert)); }
    void NotifyChatLine(
        ChatSession&, const std::wstring& name, const std::wstring& nick, const std::wstring& text) override
    {
        calls.push_back(L"NotifyChatLine: " + name + L" (" + nick + L"): " + text);
    }
    void NotifyMemo(const Memo& memo) override { calls.push_back(L"NotifyMemo: " + memo.From + L": " + memo.Title); }

    // Chat
    // A chat page that records what the handlers ask of it as "Operation: text" in the
    // screens' calls, and sends typed texts as the input bar does.
    class RecordingChatView : public ChatView {
    public:
        RecordingChatView(RecordingScreens& screens, ChatSession& session)
            : m_screens(screens)
            , m_session(session)
        {
        }
        void AddLine(const std::wstring& text, int kind) override
        {
            m_screens.calls.push_back(L"AddLine " + std::to_wstring(kind) + L": " + text);
        }
        void SetDate(const std::wstring& text) override { m_screens.calls.push_back(L"SetDate: " + text); }
        void UpdateTitle() override { m_screens.calls.push_back(L"UpdateTitle: " + m_session.PeerName); }
        void UpdatePeerStatusIcon() override { m_screens.calls.push_back(L"UpdatePeerStatusIcon"); }
        void UpdateInputBar() override { m_screens.calls.push_back(L"UpdateInputBar"); }
        bool IsOnTop() const override { return m_screens.chatOnTop; }
        void SendMessage(const std::wstring& text) override
        {
            if (SendChatText(m_session, text) != ChatSendNothing)
                AddLine(FormatOwnLine(text), LineOwn);
        }

    private:
        RecordingScreens& m_screens;
        ChatSession& m_session;
    };
    std::unique_ptr<ChatView> CreateChatView(ChatSession& session) override
    {
        return std::make_unique<RecordingChatView>(*this, session);
    }
    void AddChatSession(ChatSession& session) override
    {
        calls.push_back(L"AddChatSession: " + session.PeerId);
    }
    void UpdateChatSession(ChatSession& session) override
    {
        calls.push_back(L"UpdateChatSession: " + session.PeerId);
    }
    void UpdateNotifyIcons() override { calls.push_back(L"UpdateNotifyIcons"); }
    void ReloadChatInfo(ChatSession& session) override
    {
        calls.push_back(L"ReloadChatInfo: " + session.PeerId);
    }
    bool chatOnTop = false;

    // Buddies and notices
    bool ShowNotifyBox(const std::wstring& title, const std::wstring& text) override
    {
        calls.push_back(L"ShowNotifyBox: " + title + L": " + text);
        return true;
    }
    void ShowMemoInbox() override { calls.push_back(L"ShowMemoInbox"); }
    void RefreshChatPeer(const std::wstring& email) override
    {
        calls.push_back(L"RefreshChatPeer: " + email);
    }
    void RefreshBuddyProfile(const std::wstring& id) override
    {
        calls.push_back(L"RefreshBuddyProfile: " + id);
    }
    void MoveProfileBuddy(const std::wstring& id, const std::wstring& groupId) override
    {
        calls.push_back(L"MoveProfileBuddy: " + id + L" " + groupId);
    }
    void AskBuddyRequest(
        const std::wstring& id, const std::wstring& email, const std::wstring& message) override
    {
        calls.push_back(L"AskBuddyRequest: " + id + L" " + email + L" " + message);
    }
    // Memos
    void InsertNewMemos(int count) override { calls.push_back(L"InsertNewMemos: " + std::to_wstring(count)); }
    void AppendMemoPage(int count) override { calls.push_back(L"AppendMemoPage: " + std::to_wstring(count)); }
    Memo* GetShownMemo() override { return shownMemo; }
    void SetMemo(const PktInImsg& packet) override { calls.push_back(L"SetMemo: " + packet.Body); }

    bool Has(const std::wstring& call) const
    {
        return std::find(calls.begin(), calls.end(), call) != calls.end();
    }
    size_t Count(const std::wstring& call) const { return std::count(calls.begin(), calls.end(), call); }

    std::vector<std::wstring> calls;
    bool reloadResult = true;
    Memo* shownMemo = nullptr; // the memo read page is on top while set

private:
    MessengerScreens* m_previous;
};
