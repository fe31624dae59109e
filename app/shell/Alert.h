#pragma once

#include <string>

// How an event is signalled: a sound from the sound folder (empty: none) and whether
// the phone vibrates.
struct AlertAction {
    std::wstring sound;
    bool vibrate = false;

    bool operator==(const AlertAction&) const = default;
    bool IsNone() const { return sound.empty() && !vibrate; }
};

// What event (0 login, 1 buddy logged in, 2 chat message, 3 memo) gives under the
// notify type (1 sound, 2 vibration, 3 both) and scopes (1 buddy login, 2 chat,
// 4 memo). The login is signalled whatever the scopes.
AlertAction ChooseAlert(int event, int notifyType, int notifyScopes);

// What the user's options give for the event.
AlertAction CurrentAlert(int event);

// Signals the event as the user's options say.
void PlayAlert(int event);
