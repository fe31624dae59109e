#pragma once

#include <string>

// What protocol code may ask of the screens. Handlers never include screen headers:
// the application object implements this interface and attaches itself at start-up;
// tests attach a recording fake. Later commands add their operations here.
class MessengerScreens {
public:
    virtual ~MessengerScreens() = default;

    // The plain alert box with an Ok button. False when nothing could be shown.
    virtual bool ShowMsgBox(const std::wstring& text) = 0;

    // The implementation calls reach; null before start-up and after shut-down, and
    // protocol code then shows nothing.
    static MessengerScreens* GetCurrent() { return s_current; }
    static void SetCurrent(MessengerScreens* screens) { s_current = screens; }

private:
    static inline MessengerScreens* s_current = nullptr;
};
