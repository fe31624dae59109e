#include "ux/core/UxTimerManager.h"

#include "platform/event/MessageQueue.h"
#include "platform/event/MultimediaTimer.h"
#include "platform/event/Window.h"
#include "ux/core/UxClock.h"
#include "ux/core/UxText.h"

#include <algorithm>

namespace {

constexpr const wchar_t* kWindowClass = L"UxTimerWindow";

uint32_t NowMs()
{
    UxClock* clock = UxClock::GetInstance();
    return clock ? clock->GetElapsed() : 0;
}

// Seconds to the nearest whole millisecond (0.01f is a hair below 0.01, and cutting
// would make it 9 ms). Anything negative, too large or not a number becomes 0, which the
// timer service refuses.
uint32_t ToMilliseconds(float seconds)
{
    double ms = static_cast<double>(seconds) * 1000.0 + 0.5;
    if (!(ms >= 0 && ms < 4294967295.0))
        return 0;
    return static_cast<uint32_t>(ms);
}

} // namespace

UxTimerManager::UxTimerManager()
{
    plat::TIMECAPS caps;
    if (plat::timeGetDevCaps(&caps, sizeof caps) == plat::TIMERR_NOERROR)
        m_resolution = caps.wPeriodMin > 10 ? caps.wPeriodMin : std::min<uint32_t>(caps.wPeriodMax, 10);

    m_ownWindow = plat::CreateMessageWindow(kWindowClass, WindowProc);
    s_tickWindow = m_ownWindow;
}

UxTimerManager::~UxTimerManager()
{
    RemoveAll();
    if (s_tickWindow == m_ownWindow)
        s_tickWindow = nullptr;
    plat::DestroyWindow(m_ownWindow);
}

void UxTimerManager::SetWindow(plat::HWND window)
{
    s_tickWindow = window ? window : m_ownWindow;
}

uint32_t UxTimerManager::Add(float duration, float interval, UxTimerProc callback, uintptr_t argument)
{
    uint32_t id = plat::timeSetEvent(ToMilliseconds(interval), m_resolution, OnTick,
        reinterpret_cast<uintptr_t>(this), plat::TIME_PERIODIC);
    if (!id) {
        UxTrace(L"[UX+] %s, Failed to add a timer.\n", L"UxTimerManager::Add");
        UxTrace(
            L"[UX+] %s, It is possible that system has no more available timers.\n", L"UxTimerManager::Add");
        return 0;
    }
    m_timers[id] = UxTimer { NowMs(), id, duration, interval, callback, argument };
    return id;
}

bool UxTimerManager::Dispatch(uint32_t id)
{
    auto it = m_timers.find(id);
    if (it == m_timers.end())
        return true;
    const UxTimer timer = it->second;
    bool last = false;
    if (timer.duration <= 0) {
        // repeats until removed
    } else if (timer.duration == timer.interval) {
        last = true;
    } else {
        UxClock* clock = UxClock::GetInstance();
        uint32_t now = clock ? clock->GetTurnElapsed() : timer.start;
        float elapsed = static_cast<float>(UxClock::Since(timer.start, now)) * 0.001f;
        last = !(elapsed < timer.duration);
    }
    if (last)
        Remove(id);
    if (timer.callback)
        timer.callback(timer.argument);
    return true;
}

bool UxTimerManager::Remove(uint32_t id)
{
    if (m_timers.erase(id))
        plat::timeKillEvent(id);
    return true;
}

void UxTimerManager::RemoveAll()
{
    for (const auto& [id, timer] : m_timers)
        plat::timeKillEvent(id);
    m_timers.clear();
}

void UxTimerManager::OnTick(plat::UINT id, plat::UINT, uintptr_t, uintptr_t, uintptr_t)
{
    if (plat::HWND window = s_tickWindow)
        plat::PostMessageW(window, plat::WM_USER, id, 0);
}

plat::LRESULT UxTimerManager::WindowProc(
    plat::HWND window, plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam)
{
    if (message == plat::WM_USER) {
        if (UxTimerManager* manager = GetInstance())
            manager->Dispatch(static_cast<uint32_t>(wParam));
        return 0;
    }
    return plat::DefWindowProcW(window, message, wParam, lParam);
}
