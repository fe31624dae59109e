#pragma once

// The X server's own key presses, which SDL hands over before the desktop's input method
// decides what they become: the only trace of a key the input method took and never gave
// back. Xlib stays inside the .cpp: its macros clash with our names.

#include <cstdint>
#include <string>

union SDL_Event;

namespace plat {

struct KeyStroke {
    uint32_t virtualKey = 0; // 0 for keys without a code of their own (punctuation)
    std::wstring text; // what the key types without an input method
    bool shift = false;
    bool command = false; // Control, Alt or Super held
    bool control = false; // Control held
};

// Asks SDL for the X server's events, keeping only key presses. SDL's Control modifier
// follows the X server's at each press: the input method is asked about a key with it,
// and when it took the Control press itself (which ended a syllable), SDL never saw it.
void WatchKeyPresses();
// True for an X key press.
bool ReadKeyPress(const SDL_Event& event, KeyStroke& press);

} // namespace plat
