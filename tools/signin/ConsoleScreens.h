#pragma once

#include "messenger/MessengerScreens.h"

#include <cstdio>
#include <string>

// The screens of a program without a window: alerts and the buddy list go to a text
// stream, and the end of the session ends the message loop.
class ConsoleScreens : public MessengerScreens {
public:
    explicit ConsoleScreens(FILE* out)
        : m_out(out)
    {
    }

    bool ShowMsgBox(const std::wstring& text) override;
    void ResetScreens() override;
    void ShowLoginForm() override;
    void RefreshMyStatus() override;
    bool ReloadBuddyList() override;
    void ShowBuddyList() override;
    void RefreshBuddy(const std::wstring& id) override;
    void PlayAlert(int) override { }

    // Chat
    std::unique_ptr<ChatView> CreateChatView(ChatSession& session) override;
    void AddChatSession(ChatSession& session) override;
    void UpdateChatSession(ChatSession&) override { }
    void UpdateNotifyIcons() override { }
    void ReloadChatInfo(ChatSession&) override { }
    // Echo mode: every line received is said back in its chat.
    void SetEcho(bool echo) { m_echo = echo; }
    bool GetEcho() const { return m_echo; }

    // Buddies and notices
    bool ShowNotifyBox(const std::wstring& title, const std::wstring& text) override;
    void ShowMemoInbox() override { }
    void RefreshChatPeer(const std::wstring&) override { }
    void RefreshBuddyProfile(const std::wstring&) override { }
    void MoveProfileBuddy(const std::wstring&, const std::wstring&) override { }
    void AskBuddyRequest(
        const std::wstring& id, const std::wstring& email, const std::wstring& message) override;

    bool IsSignedIn() const { return m_signedIn; }
    // Exit status once the loop has ended: 0 after a sign-out the user asked for.
    int GetExitCode() const { return m_exitCode; }
    void SetExitCode(int code) { m_exitCode = code; }

    static std::wstring StatusText(int status);

    void Print(const std::wstring& line);

private:

    FILE* m_out;
    bool m_signedIn = false;
    int m_exitCode = 1;
    bool m_echo = false;
};
