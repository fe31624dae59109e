#include "platform/event/MessageQueue.h"

#include "platform/event/Clock.h"
#include "platform/event/EventState.h"
#include "platform/event/Window.h"

#include <algorithm>
#include <chrono>

namespace plat {

using detail::EventState;
using detail::State;
using detail::WakeUiLocked;

namespace {

    bool Matches(const MSG& m, HWND window, UINT first, UINT last)
    {
        if (window && m.hwnd != window)
            return false;
        if (first == 0 && last == 0)
            return true;
        return m.message >= first && m.message <= last;
    }

    // The key state follows the input messages as they are taken, so it tells what was
    // held when the message being handled was sent. Leaving the window lets go of all.
    void NoteInputLocked(EventState& s, const MSG& msg)
    {
        if ((msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) && msg.wParam < s.keysDown.size())
            s.keysDown[msg.wParam] = msg.message == WM_KEYDOWN;
        else if (msg.message == WM_ACTIVATE && msg.wParam == WA_INACTIVE)
            s.keysDown.fill(false);
    }

    // What HoldUserInput keeps waiting: the person's keys and presses, the window's
    // activation and its close.
    bool IsHeldInput(UINT message)
    {
        switch (message) {
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_CHAR:
        case WM_IME_STARTCOMPOSITION:
        case WM_IME_ENDCOMPOSITION:
        case WM_IME_COMPOSITION:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_ACTIVATE:
        case WM_CLOSE:
            return true;
        default:
            return false;
        }
    }

    // Takes the next message by priority: posted, quit, paint. Lock held.
    bool TakeLocked(EventState& s, MSG* msg, HWND window, UINT first, UINT last, bool remove)
    {
        // A drag's moves wait behind the press that began it.
        bool waiting = false;
        auto it = std::find_if(s.queue.begin(), s.queue.end(), [&](const detail::QueuedMessage& q) {
            if (s.inputHeld && (IsHeldInput(q.msg.message) || (waiting && q.msg.message == WM_MOUSEMOVE))) {
                waiting = true;
                return false;
            }
            return Matches(q.msg, window, first, last);
        });
        if (it != s.queue.end()) {
            *msg = it->msg;
            if (remove) {
                s.queue.erase(it);
                NoteInputLocked(s, *msg);
            }
            return true;
        }
        if (s.quit) {
            *msg = MSG {};
            msg->message = WM_QUIT;
            msg->wParam = static_cast<WPARAM>(s.quitCode);
            if (remove)
                s.quit = false;
            return true;
        }
        if (first == 0 && last == 0 ? true : (WM_PAINT >= first && WM_PAINT <= last)) {
            for (const auto& [key, w] : s.windows) {
                HWND h = reinterpret_cast<HWND>(key);
                if (w.destroying || (window && h != window))
                    continue;
                if (w.update.right > w.update.left && w.update.bottom > w.update.top) {
                    *msg = MSG {};
                    msg->hwnd = h;
                    msg->message = WM_PAINT;
                    msg->time = timeGetTime();
                    return true;
                }
            }
        }
        return false;
    }

} // namespace

void SetEventSource(EventSource* source)
{
    auto& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    s.source = source;
}

bool PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto& s = State();
    uint32_t now = timeGetTime();
    std::lock_guard<std::mutex> lock(s.mutex);
    if (window) {
        auto w = s.windows.find(reinterpret_cast<uintptr_t>(window));
        if (w == s.windows.end() || w->second.destroying)
            return false;
    }
    detail::QueuedMessage q;
    q.msg.hwnd = window;
    q.msg.message = message;
    q.msg.wParam = wParam;
    q.msg.lParam = lParam;
    q.msg.time = now;
    q.sourceTimer = detail::CurrentTimerSource();
    if (q.sourceTimer) {
        // A timer already killed posts nothing.
        if (!s.timers.count(q.sourceTimer))
            return false;
        // A tick still waiting stands for this one too, so a busy UI thread does not
        // pile up ticks of the same timer.
        bool waiting = std::any_of(s.queue.begin(), s.queue.end(), [&](const detail::QueuedMessage& o) {
            return o.sourceTimer == q.sourceTimer && o.msg.hwnd == window && o.msg.message == message
                && o.msg.wParam == wParam && o.msg.lParam == lParam;
        });
        if (waiting)
            return true;
        ++s.stats.ticksPosted;
    }
    s.queue.push_back(q);
    WakeUiLocked(s);
    return true;
}

void PostQuitMessage(int32_t exitCode)
{
    auto& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    s.quit = true;
    s.quitCode = exitCode;
    WakeUiLocked(s);
}

int32_t GetMessageW(MSG* msg, HWND window, UINT first, UINT last)
{
    if (!msg)
        return -1;
    auto& s = State();
    std::unique_lock<std::mutex> lock(s.mutex);
    for (;;) {
        if (EventSource* source = s.source) {
            lock.unlock();
            source->Pump();
            lock.lock();
        }
        detail::FireDueTimersLocked(lock, s);
        if (TakeLocked(s, msg, window, first, last, true))
            return msg->message == WM_QUIT ? 0 : 1;
        // Asleep until a message, an event of the backend or the next tick, whichever
        // comes first: the wait itself is the timer.
        const int timeout = detail::MillisecondsToNextTimerLocked(s);
        if (timeout == 0)
            continue;
        s.uiWaiting = true;
        if (EventSource* source = s.source) {
            lock.unlock();
            source->Wait(timeout);
            lock.lock();
        } else if (timeout < 0) {
            s.queueChanged.wait(lock);
        } else {
            s.queueChanged.wait_for(lock, std::chrono::milliseconds(timeout));
        }
        s.uiWaiting = false;
        ++s.stats.uiWakeups;
    }
}

bool PeekMessageW(MSG* msg, HWND window, UINT first, UINT last, UINT options)
{
    if (!msg)
        return false;
    auto& s = State();
    std::unique_lock<std::mutex> lock(s.mutex);
    if (EventSource* source = s.source) {
        lock.unlock();
        source->Pump();
        lock.lock();
    }
    detail::FireDueTimersLocked(lock, s);
    return TakeLocked(s, msg, window, first, last, (options & PM_REMOVE) != 0);
}

int16_t GetKeyState(int32_t virtualKey)
{
    auto& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    const bool down = virtualKey >= 0 && size_t(virtualKey) < s.keysDown.size() && s.keysDown[size_t(virtualKey)];
    return down ? int16_t(0x8000) : 0;
}

LRESULT DispatchMessageW(const MSG* msg)
{
    if (!msg || !msg->hwnd)
        return 0;
    auto proc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(msg->hwnd, GWLP_WNDPROC));
    return proc ? proc(msg->hwnd, msg->message, msg->wParam, msg->lParam) : 0;
}

void HoldUserInput(bool held)
{
    auto& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    if (s.inputHeld == held)
        return;
    s.inputHeld = held;
    // What waited may be taken now.
    if (!held)
        WakeUiLocked(s);
}

bool TranslateMessage(const MSG*)
{
    return false;
}

size_t DispatchPending(size_t limit, void (*beforeEach)())
{
    size_t count = 0;
    MSG msg;
    while (count < limit && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int32_t>(msg.wParam));
            break;
        }
        if (beforeEach)
            beforeEach();
        DispatchMessageW(&msg);
        ++count;
    }
    return count;
}

EventStats GetEventStats()
{
    auto& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    return s.stats;
}

} // namespace plat
