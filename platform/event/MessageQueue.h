#pragma once

// The UI thread's message queue. Any thread may post; GetMessageW sleeps until a
// message, a paint, a quit, an event of the display backend or a timer's tick is there,
// and never wakes up on its own otherwise.

#include "platform/event/Message.h"

#include <cstddef>
#include <cstdint>

namespace plat {

// A display backend with its own blocking wait (for example one that waits for window
// system events) plugs in here, so the UI thread sleeps in one place for everything.
class EventSource {
public:
    virtual ~EventSource() = default;
    // UI thread: turn every pending native event into posted messages; never blocks.
    virtual void Pump() = 0;
    // UI thread, nothing queued: block until a native event arrives, Wake is called or
    // timeoutMs have passed (-1: no time limit).
    virtual void Wait(int timeoutMs) = 0;
    // Any thread, called with the queue's lock held: make the current or the next Wait
    // return. It must be sticky (a Wake before Wait still ends that Wait), must not block
    // and must not call back into this queue.
    virtual void Wake() = 0;
};

// Installs the backend's source (null restores the built-in wait). The caller keeps
// ownership and removes it before deleting it.
void SetEventSource(EventSource* source);

// hwnd null posts a message that belongs to no window (DispatchMessageW drops it).
// False when the window is not valid.
bool PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int32_t exitCode);

// Waits for the next message matching the filter (window null = all windows; first and
// last 0 = all messages). Returns 0 for WM_QUIT (wParam holds the exit code), -1 when msg
// is null, 1 otherwise. Order: posted messages, then WM_QUIT, then WM_PAINT.
int32_t GetMessageW(MSG* msg, HWND window, UINT first, UINT last);
// The same without waiting; true when a message was found. WM_PAINT stays pending until
// the window is validated, whatever the options.
bool PeekMessageW(MSG* msg, HWND window, UINT first, UINT last, UINT options);
LRESULT DispatchMessageW(const MSG* msg);
// The high bit is set while the key is held, as the key messages taken from the queue so
// far tell (WM_KEYDOWN and WM_KEYUP; leaving the window lets go of every key).
int16_t GetKeyState(int32_t virtualKey);
// The key is down as the key messages taken so far say.
inline bool IsKeyHeld(int32_t virtualKey)
{
    return GetKeyState(virtualKey) < 0;
}
// While held, keys, characters, compositions, button presses and releases (with the
// moves of a drag begun meanwhile), the window's activation and its close stay queued,
// in their order, and every other message goes on: a paste whose text is still on its
// way lands before what the person typed or clicked after it. The key state follows the
// key messages only as they are taken.
void HoldUserInput(bool held);
// Characters come from the display backend already; nothing to translate.
bool TranslateMessage(const MSG* msg);

// Dispatches posted messages and paints until none is left (at most limit of them, so a
// window that never validates cannot hold the caller). Returns how many were dispatched.
// A WM_QUIT met on the way stays pending for the next GetMessageW. beforeEach, when
// given, runs before every dispatch, as a message loop's per-turn work would.
size_t DispatchPending(size_t limit = 100000, void (*beforeEach)() = nullptr);

// How often the UI thread woke up, to check that nothing polls when idle.
struct EventStats {
    uint64_t uiWakeups = 0; // returns from the UI thread's wait
    uint64_t ticksPosted = 0; // messages posted by timer callbacks
};
EventStats GetEventStats();

} // namespace plat
