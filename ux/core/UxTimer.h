#pragma once

#include <cstdint>

// Called on the UI thread with the word given when the timer was added.
using UxTimerProc = void (*)(uintptr_t argument);

// One entry of the timer manager. A duration of 0 or less repeats for ever; a duration
// equal to the interval fires once; any other duration repeats until it has passed.
struct UxTimer {
    uint32_t start = 0; // UxClock milliseconds when added
    uint32_t id = 0;
    float duration = 0; // seconds
    float interval = 0; // seconds
    UxTimerProc callback = nullptr;
    uintptr_t argument = 0;
};
