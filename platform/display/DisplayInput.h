#pragma once

// Turns a backend's input into the window messages the program handles: the left
// button as the pointer, the right button as WM_RBUTTONDOWN and WM_RBUTTONUP, the wheel
// as WM_MOUSEWHEEL, keys as virtual-key codes (Backspace, Tab, Enter and Escape
// also as characters), committed text as characters and the input method's composition
// as WM_IME_* messages. Where the desktop has no input method, the input panel's Korean
// keyboard composes typed Latin letters into Hangul and sends the same messages. Points
// are in window pixels.
//
// The desktop's input method answers later than the keyboard: its commit can arrive after
// the key that ended the syllable, the answers to several keys read together come after
// all of them, and a key it takes without using may never come back. So input waits its
// turn behind the keys whose answers are still to come; a key or a tap that arrives while
// a composition is open commits it first (the input method's own commit of it, when it
// comes, is dropped); and a key the input method took, where all it did was end its
// Hangul composition, is typed here.

#include "platform/event/Message.h"
#include "platform/system/HangulComposer.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace plat {

class DisplayInput {
public:
    explicit DisplayInput(HWND window)
        : m_window(window)
    {
    }

    void PointerDown(int32_t x, int32_t y);
    // Moves count only while the button is down; every move sets the cursor's place.
    void PointerMove(int32_t x, int32_t y);
    void PointerUp(int32_t x, int32_t y);
    // The right button; like a tap, its press ends a composition where it was typed.
    void RightDown(int32_t x, int32_t y);
    void RightUp(int32_t x, int32_t y);
    // The wheel turned by notches at the point (positive away from the user); a touchpad
    // gives parts of a notch, which add up to whole units of WHEEL_DELTA.
    void Wheel(int32_t x, int32_t y, float notches);
    // Where the pointer was last seen, in window pixels.
    POINT GetCursor() const { return m_cursor; }
    // VK_HANGUL (and Shift+Space) is the panel's input-mode button. A key without a code
    // of its own (0) sends nothing but still ends what an open composition is doing.
    void Key(bool down, uint32_t virtualKey, bool repeat = false);
    // A key press as the keyboard sent it, before the desktop's input method saw it; the
    // backend reports it just ahead of what became of it: a Key when the input method let
    // it through, else the input method's own output. text is what the key types without
    // an input method; command is Control, Alt or Super held, control Control alone. The
    // window hears of Control as the keyboard has it when such a key is sent, also when
    // the input method took the Control press itself.
    void KeyPressed(uint32_t virtualKey, const std::wstring& text, bool shift, bool command, bool control = false);
    // Text the keyboard typed or the desktop's input method committed.
    void Text(const std::wstring& text);
    // The desktop input method's text being composed; empty when the composition ended
    // without a result.
    void Composition(const std::wstring& text);
    // The backend has handed over everything it had.
    void EndOfInput();
    // The window refused the character being composed: the panel's Korean keyboard
    // forgets its syllable, so the next keys (Backspace above all) reach the window.
    void CancelComposition();
    void Activate(bool active);
    // The user closes the window: it is destroyed, which ends the message loop.
    void Close();
    // While on, the desktop's input method is out of the way (a password field): each
    // key press types its own text.
    void SetRawKeys(bool on) { m_rawKeys = on; }
    // Makes the desktop's input method forget its composition (it commits it, and that
    // commit is dropped here).
    void SetInputMethodReset(std::function<void()> reset) { m_resetInputMethod = std::move(reset); }

    bool IsPressed() const { return m_pressed; }
    bool IsComposing() const { return m_composing; }

private:
    // A key press read from the keyboard, and what became of it.
    struct Press {
        enum State { Read, Let, Taken };
        enum Role { Unknown, Letter, Back, Other, Ignored }; // of a taken key, on its turn
        State state = Read;
        uint32_t key = 0;
        std::wstring raw; // what it types without an input method
        bool shift = false;
        bool command = false;
        bool control = false;
        // Let through:
        bool repeat = false;
        std::wstring typed; // its text, kept while it waits its turn
        bool awaitsText = false; // SDL's text for it comes next
        // Taken:
        Role role = Unknown;
        std::wstring composition; // the input method's composition when it took the key
        bool onlyClosed = true; // all it answered was ending that composition
        bool emptied = false; // ... with an empty composition among it
        bool handedBack = false; // the backend delivered it after all
        bool composes = false; // the next new composition is its own (known at the turn's end)
    };
    // Input waiting its turn behind keys whose answers from the input method are still to
    // come: a press, or any other message.
    struct Step {
        Press press;
        std::function<void()> run;
    };
    // An answer of the input method: a composition or a commit.
    struct Answer {
        bool composition;
        std::wstring text;
    };

    void Post(UINT message, WPARAM wParam, LPARAM lParam);
    void Commit(const std::wstring& text);
    void Compose(const std::wstring& text);
    // Commits what the Korean keyboard is composing, before anything else is sent.
    void FlushHangul();
    // Commits the desktop input method's composition ahead of it.
    void CommitAhead();
    // A button pressed: both compositions end where they were typed.
    void EndCompositionForPress();
    // The key's messages, after what an open composition needs first.
    void Send(bool down, uint32_t virtualKey, bool repeat);
    // Control down or up for the window as the keyboard had it when the key was pressed.
    void FollowControl(const Press& press);
    // Typed characters: through the panel's Korean keyboard when it is on.
    void Type(const std::wstring& text);
    void Apply(const Answer& answer);
    // Gives an answer to the key it belongs to, in the order the keys were pressed.
    void Take(const Answer& answer);
    // The turn's answers are all in: the ones held back go to their keys.
    void ReleaseHeld();
    // Runs in order what waits and needs no answer; stops at a taken key.
    void Advance();
    // Runs now when nothing waits, else in its turn.
    void InTurn(std::function<void()> run);
    // The last press was not let through: the input method took it.
    void ReadDone();
    bool HasTakenAfterFirst() const;
    // Types a taken key the input method did not use.
    void Finish(const Press& press);
    void Classify(Press& press);

    HWND m_window;
    bool m_pressed = false;
    bool m_composing = false;
    HangulComposer m_hangul;
    bool m_shift = false;
    bool m_control = false; // the window was told Control is down
    POINT m_cursor;
    float m_wheelRest = 0; // what the wheel turned below one unit, kept for the next turn
    bool m_swallowSpace = false; // the text of a Shift+Space that toggled the keyboard
    std::wstring m_imeText; // the desktop input method's open composition
    std::wstring m_expected; // its commit, already sent ahead
    bool m_hangulIme = false; // its last composition was Hangul
    std::deque<Step> m_steps;
    // Answers after a new composition that a key outside A-Z may have made itself or a
    // later letter may have begun: which, only the count of the turn's compositions tells.
    std::vector<Answer> m_held;
    bool m_releasing = false;
    bool m_rawKeys = false;
    std::function<void()> m_resetInputMethod;
};

} // namespace plat
