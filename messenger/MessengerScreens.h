#pragma once

#include <memory>
#include <string>

class ChatSession;
class ChatView;
class Memo;
class PktInImsg;

// What protocol code may ask of the screens. Handlers never include screen headers:
// the application object implements this interface and attaches itself at start-up;
// tests attach a recording fake. Later commands add their operations here.
class MessengerScreens {
public:
    // The events PlayAlert signals.
    enum Alert { AlertLogin = 0, AlertBuddyLogin = 1, AlertChat = 2, AlertMemo = 3 };

    virtual ~MessengerScreens() = default;

    // The plain alert box with an Ok button. False when nothing could be shown.
    virtual bool ShowMsgBox(const std::wstring& text) = 0;

    // The screens' part of ending a session, run by the deferred session reset after
    // the connection is closed and before the buddy and group lists are emptied: stop
    // transitions, close open screens, show the saved-login screen, empty list views.
    virtual void ResetScreens() = 0;
    // The sign-in was refused: back to the id and password form.
    virtual void ShowLoginForm() = 0;
    // The user's own line (nick, status) changed.
    virtual void RefreshMyStatus() = 0;
    // Rebuilds the buddy list view from the lists. False stops the sign-in.
    virtual bool ReloadBuddyList() = 0;
    // The buddy list has arrived: leave the connecting screen for the buddy list.
    virtual void ShowBuddyList() = 0;
    // One buddy's rows (and an open chat with the buddy) show its new status.
    virtual void RefreshBuddy(const std::wstring& id) = 0;
    // Sound and vibration for an event, as the options allow.
    virtual void PlayAlert(int alert) = 0;

    // Chat
    // The page of a new chat session, which owns it; null when there are no screens.
    virtual std::unique_ptr<ChatView> CreateChatView(ChatSession& session) = 0;
    // The chat list gained a session (its row and its page dot).
    virtual void AddChatSession(ChatSession& session) = 0;
    // A session's row in the chat list changed (unread lines).
    virtual void UpdateChatSession(ChatSession& session) = 0;
    // The unread indicators of the status bars.
    virtual void UpdateNotifyIcons() = 0;
    // The participants view, when it shows this session.
    virtual void ReloadChatInfo(ChatSession& session) = 0;

    // Memos
    // The memo list puts rows for the first n memos of MemoList on top (a memo arrived).
    virtual void InsertNewMemos(int count) = 0;
    // The memo list adds rows for the last n memos of MemoList, and its "more" row while
    // pages remain.
    virtual void AppendMemoPage(int count) = 0;
    // The memo the read page shows when that page is on top; null otherwise.
    virtual Memo* GetShownMemo() = 0;
    // The read page shows the content that arrived for its memo.
    virtual void SetMemo(const PktInImsg& packet) = 0;

    // The implementation calls reach; null before start-up and after shut-down, and
    // protocol code then shows nothing.
    static MessengerScreens* GetCurrent() { return s_current; }
    static void SetCurrent(MessengerScreens* screens) { s_current = screens; }

private:
    static inline MessengerScreens* s_current = nullptr;
};
