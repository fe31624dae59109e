#pragma once

#include "platform/event/Message.h"
#include "ux/core/UxSingleton.h"
#include "ux/core/UxTimer.h"

#include <atomic>
#include <cstdint>
#include <map>

// Keeps the toolkit's timers. Each ticks on the platform's timer thread, which only
// posts WM_USER with the id; Dispatch then runs the callback on the UI thread. Needs a
// UxClock. Ticks go to a hidden window of the manager's own until SetWindow names
// another (the device window, whose WM_USER handler calls Dispatch).
class UxTimerManager : public UxSingleton<UxTimerManager> {
public:
    UxTimerManager();
    ~UxTimerManager() override;

    // Returns the timer id, 0 when no timer could be made (traced).
    uint32_t Add(float duration, float interval, UxTimerProc callback, uintptr_t argument);
    bool Dispatch(uint32_t id);
    bool Remove(uint32_t id);
    void RemoveAll();
    bool IsAlive(uint32_t id) const { return m_timers.count(id) != 0; }

    uint32_t GetResolution() const { return m_resolution; }
    void SetWindow(plat::HWND window);
    plat::HWND GetWindow() const { return s_tickWindow; }

private:
    static void OnTick(plat::UINT id, plat::UINT, uintptr_t user, uintptr_t, uintptr_t);
    static plat::LRESULT WindowProc(plat::HWND, plat::UINT, plat::WPARAM, plat::LPARAM);

    uint32_t m_resolution = 10;
    std::map<uint32_t, UxTimer> m_timers;
    plat::HWND m_ownWindow = nullptr;
    // Read on the timer thread, which must not touch the manager: a tick may still be on
    // its way there while the manager is deleted.
    static inline std::atomic<plat::HWND> s_tickWindow { nullptr };
};
