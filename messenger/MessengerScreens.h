#pragma once

#include "messenger/UpgradeView.h"
#include "ux/widgets/UxPopup.h"

#include <cstdint>
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
    // One buddy's rows show its new status, nick or flags.
    virtual void RefreshBuddy(const std::wstring& id) = 0;
    // Sound and vibration for an event, as the options allow.
    virtual void PlayAlert(int alert) = 0;
    // Word of a peer's line or a new memo for a window in the background (attention and
    // a desktop notification), given where its alert is played; the options decide as
    // they do for the alert.
    virtual void NotifyChatLine(
        ChatSession&, const std::wstring& /*name*/, const std::wstring& /*nick*/, const std::wstring& /*text*/)
    {
    }
    virtual void NotifyMemo(const Memo&) { }

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

    // Buddies and notices
    // A notice box: title, text and an Ok button. False when nothing could be shown.
    virtual bool ShowNotifyBox(const std::wstring& title, const std::wstring& text) = 0;
    // The buddy list has arrived: the memo list view turns to the inbox.
    virtual void ShowMemoInbox() = 0;
    // An open one-to-one chat with this buddy (by e-mail id) shows the buddy's new
    // status in its peer icon and input bar.
    virtual void RefreshChatPeer(const std::wstring& email) = 0;
    // The buddy profile page repaints when it shows this buddy (its flags changed).
    virtual void RefreshBuddyProfile(const std::wstring& id) = 0;
    // The buddy moved to another group: the profile page, when it shows this buddy,
    // takes the new group.
    virtual void MoveProfileBuddy(const std::wstring& id, const std::wstring& groupId) = 0;
    // Someone asks to add the user: a question box offers to look at the request now;
    // Yes opens the request page for the buddy (looked up by id then) with group "0".
    virtual void AskBuddyRequest(
        const std::wstring& id, const std::wstring& email, const std::wstring& message)
        = 0;
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

    // Self-update
    // A question with Yes and No; the callback gets 2 for Yes, 3 for No, 0 when a newer
    // popup or shut-down closed it. False when nothing could be shown.
    virtual bool ShowConfirmBox(const std::wstring&, UxPopupCallback, uintptr_t) { return false; }
    // The progress box of the update download, which the user cannot close; null when
    // nothing could be shown.
    virtual std::unique_ptr<UpgradeView> ShowUpgradeBox() { return nullptr; }

    // The implementation calls reach; null before start-up and after shut-down, and
    // protocol code then shows nothing.
    static MessengerScreens* GetCurrent() { return s_current; }
    static void SetCurrent(MessengerScreens* screens) { s_current = screens; }

private:
    static inline MessengerScreens* s_current = nullptr;
};
