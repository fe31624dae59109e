#pragma once

#include "messenger/MessengerScreens.h"

#include <string>
#include <vector>

// Stands in for the application's screens: records every call as "Operation: text"
// and attaches itself as the current screens while it lives.
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
        return result;
    }

    std::vector<std::wstring> calls;
    bool result = true; // what every Show operation answers

private:
    MessengerScreens* m_previous;
};
