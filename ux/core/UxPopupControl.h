#pragma once

#include <cstdint>

// What input routing and shut-down need of the open popup. The popup window class
// implements it next to its window base.
class UxPopupControl {
public:
    // A press outside the popup closes it.
    virtual bool GetCloseOnOutsideTap() const = 0;
    // Reports the result and deletes the popup: the caller must not touch it afterwards.
    virtual bool Close(int32_t result) = 0;
    // The result Escape and Enter close the popup with; -1 when the key leaves it open.
    virtual int32_t GetEscapeResult() const { return 0; }
    virtual int32_t GetEnterResult() const { return -1; }
    // Up, Down and Enter that the popup's own rows take (a menu); false when not taken.
    virtual bool OnPopupKey(uintptr_t) { return false; }
    // It opened unasked while the person was typing elsewhere: for a moment it lets Enter
    // and Escape, and whatever else is typed, go on to the box they were typing in.
    virtual bool IsWaiting() const { return false; }
    // Ends that moment: the popup takes the keys now.
    virtual void StopWaiting() { }

protected:
    virtual ~UxPopupControl() = default;
};
