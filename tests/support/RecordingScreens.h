#pragma once

#include "messenger/MessengerScreens.h"

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

    bool Has(const std::wstring& call) const
    {
        return std::find(calls.begin(), calls.end(), call) != calls.end();
    }
    size_t Count(const std::wstring& call) const { return std::count(calls.begin(), calls.end(), call); }

    std::vector<std::wstring> calls;
    bool reloadResult = true;

private:
    MessengerScreens* m_previous;
};
