#pragma once

// Turns a backend's input into the window messages the program handles: the left
// button as the pointer, keys as virtual-key codes (Backspace, Tab, Enter and Escape
// also as characters), committed text as characters and the input method's composition
// as WM_IME_* messages. Where the desktop has no input method, the input panel's Korean
// keyboard composes typed Latin letters into Hangul and sends the same messages. Points
// are in window pixels.

#include "platform/event/Message.h"
#include "platform/system/HangulComposer.h"

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
    // VK_HANGUL (and Shift+Space) is the panel's input-mode button.
    void Key(bool down, uint32_t virtualKey, bool repeat = false);
    // Text the keyboard typed or the desktop's input method committed.
    void Text(const std::wstring& text);
    // The desktop input method's text being composed; empty when the composition ended
    // without a result.
    void Composition(const std::wstring& text);
    // The window refused the character being composed: the panel's Korean keyboard
    // forgets its syllable, so the next keys (Backspace above all) reach the window.
    void CancelComposition();
    void Activate(bool active);
    // The user closes the window: it is destroyed, which ends the message loop.
    void Close();

    bool IsPressed() const { return m_pressed; }
    bool IsComposing() const { return m_composing; }

private:
    void Post(UINT message, WPARAM wParam, LPARAM lParam);
    void Commit(const std::wstring& text);
    void Compose(const std::wstring& text);
    // Commits what the Korean keyboard is composing, before anything else is sent.
    void FlushHangul();

    HWND m_window;
    bool m_pressed = false;
    bool m_composing = false;
    HangulComposer m_hangul;
    bool m_shift = false;
    bool m_swallowSpace = false; // the text of a Shift+Space that toggled the keyboard
};

} // namespace plat
