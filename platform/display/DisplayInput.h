#pragma once

// Turns a backend's input into the window messages the program handles: the left
// button as the pointer, keys as virtual-key codes, committed text as characters and
// the input method's composition as WM_IME_* messages. Points are in window pixels.

#include "platform/event/Message.h"

#include <cstdint>
#include <string>

namespace plat {

class DisplayInput {
public:
    explicit DisplayInput(HWND window)
        : m_window(window)
    {
    }

    void PointerDown(int32_t x, int32_t y);
    // Moves count only while the button is down.
    void PointerMove(int32_t x, int32_t y);
    void PointerUp(int32_t x, int32_t y);
    void Key(bool down, uint32_t virtualKey, bool repeat = false);
    // Text the input method (or the keyboard) has committed.
    void Text(const std::wstring& text);
    // The text being composed; empty when the composition ended without a result.
    void Composition(const std::wstring& text);
    void Activate(bool active);
    // The user closes the window: it is destroyed, which ends the message loop.
    void Close();

    bool IsPressed() const { return m_pressed; }
    bool IsComposing() const { return m_composing; }

private:
    void Post(UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_window;
    bool m_pressed = false;
    bool m_composing = false;
};

} // namespace plat
