#pragma once

#include "platform/event/Message.h"

#include <cstdint>
#include <memory>

class UxWindow;

// Turns presses routed to one window into down, move, up, hold and click calls on it.
// Routing asks an open popup first, then later siblings, then children last to first.
// A press held still for the long-press time asks the window for its menu; when one
// opens, the press ends there (no click follows).
class UxPointerTracker {
public:
    explicit UxPointerTracker(UxWindow* owner);
    ~UxPointerTracker(); // removes the hold and click timers
    UxPointerTracker(const UxPointerTracker&) = delete;
    UxPointerTracker& operator=(const UxPointerTracker&) = delete;

    // Each returns whether the event was handled here or below.
    bool OnTrackerDown(int32_t x, int32_t y);
    bool OnTrackerMove(int32_t x, int32_t y);
    bool OnTrackerUp(int32_t x, int32_t y);

    void SetDisabled(bool disabled) { m_disabled = disabled ? 1 : 0; }
    bool IsDisabled() const { return m_disabled != 0; }
    bool IsPressed() const { return m_pressed != 0; }
    bool IsHeld() const { return m_held != 0; }
    // Whether a release now is followed by a click: the press stayed within the slop
    // and no menu took it.
    bool ClicksOnRelease() const { return m_holdTimer != 0; }
    int32_t GetSlop() const { return m_slop; }
    float GetHoldTime() const { return m_holdTime; }
    float GetLongPressTime() const { return m_longPressTime; }

    // Where the latest pointer event happened (screen space).
    static inline plat::POINT LastPoint {};
    // Set while an open popup routes an event, so it is not sent to the popup again.
    static inline uint8_t InPopupRouting = 0;

private:
    enum class Kind { Down, Move, Up };

    bool Route(Kind kind, int32_t x, int32_t y);
    // Steps shared by every kind: the open popup first. True when it took the event.
    bool RoutePopupFirst(Kind kind, int32_t x, int32_t y, bool& handled);
    bool Press(int32_t x, int32_t y);
    bool Drag(int32_t x, int32_t y);
    bool Release(int32_t x, int32_t y);
    // Tells the owner's parent that the press is over, clicked or not.
    void EndPress();
    void RemoveTimer(uint32_t& id);
    static void HoldStep(uintptr_t tracker);
    static void ClickStep(uintptr_t tracker);
    static void LongPressStep(uintptr_t tracker);
    static bool Dispatch(UxPointerTracker& tracker, Kind kind, int32_t x, int32_t y);

    UxWindow* m_owner;
    float m_holdTime = 0.1f;
    float m_longPressTime = 0.5f;
    int32_t m_slop = 20;
    uint8_t m_disabled = 0;
    uint8_t m_pressed = 0;
    uint8_t m_held = 0;
    plat::POINT m_press;
    uint32_t m_holdTimer = 0;
    uint32_t m_clickTimer = 0;
    uint32_t m_longPressTimer = 0;
    // Cleared when the tracker goes: a window may delete itself (a popup closing) while
    // its own handler runs, and nothing of it may be touched after that.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};
