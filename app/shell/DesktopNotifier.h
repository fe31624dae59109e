#pragma once

#include "platform/event/Message.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

class ChatSession;
class Memo;

// Word of new chat lines and memos for a window in the background. The window's title
// counts the unread chats and memos ("Quorix (3)"). While another window has the focus,
// a line or a memo the options alert for also asks for attention and shows a desktop
// notification; a click on that brings the window forward on its chat or memo.
class DesktopNotifier {
public:
    DesktopNotifier() = default;
    ~DesktopNotifier();
    DesktopNotifier(const DesktopNotifier&) = delete;
    DesktopNotifier& operator=(const DesktopNotifier&) = delete;

    // The device window; its title as created names the program.
    void Attach(plat::HWND window);
    // Shut-down: the notifications still shown are closed, and no click comes back.
    void Detach();

    // The title follows the unread chats and memos.
    void UpdateTitle();
    // A peer's line, where the chat alert is played: name and nick as the conversation
    // names the sender.
    void ChatLine(
        const ChatSession& session, const std::wstring& name, const std::wstring& nick, const std::wstring& text);
    // A new memo, where the memo alert is played.
    void NewMemo(const Memo& memo);
    // The window got the focus back: the chat on top is read now.
    void OnActivate(bool active);
    // Read in the window: the chat's notification, or the memo's (by cookie), goes.
    void ChatRead(const ChatSession& session);
    void MemoRead(const std::wstring& cookie);
    // The session ended: all of its notifications go, and their clicks are forgotten.
    void CloseAll();

    // Chats with unread lines and the memos the service holds unread.
    static int CountUnread();
    static std::wstring MakeTitle(const std::wstring& name, int unread);
    // The start of a text for a notification: blanks and line breaks run together into
    // single spaces, and past kExcerptLength characters cut (at a space near the end
    // when there is one) and ended with "…".
    static std::wstring Excerpt(const std::wstring& text);

    static constexpr size_t kExcerptLength = 100;

private:
    // What a notification brings forward: a chat (by serial) or a memo (by cookie).
    struct Target {
        uint32_t id = 0;
        uint64_t chat = 0;
        std::wstring memo;
        bool shown = false; // handed to the desktop and not closed since
    };

    static bool ShouldShow(int alert);
    // One id per chat, so that its next line replaces the notification; one per memo.
    Target& TargetOf(uint64_t chat, const std::wstring& memo);
    void Show(Target& target, const std::wstring& summary, const std::wstring& body);
    void Close(Target& target);
    void OnClicked(uint32_t id);
    static void ShowChat(ChatSession& session);
    static void ShowMemo(const std::wstring& cookie);
    static plat::LRESULT ClickProc(plat::HWND window, plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam);

    plat::HWND m_window = nullptr;
    // Made with the first notification: where its clicks are posted.
    plat::HWND m_clicks = nullptr;
    std::wstring m_name;
    std::wstring m_title;
    std::deque<Target> m_targets;
    uint32_t m_lastId = 0;
};
