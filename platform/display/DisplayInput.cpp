#include "platform/display/DisplayInput.h"

#include "platform/display/VirtualKeys.h"
#include "platform/event/MessageQueue.h"
#include "platform/event/Window.h"
#include "platform/system/InputPanel.h"
#include "platform/system/Trace.h"

#include <algorithm>
#include <cmath>
#include <cwchar>

namespace plat {

namespace {

    LPARAM PointParam(int32_t x, int32_t y)
    {
        return MAKELPARAM(static_cast<uint16_t>(x), static_cast<uint16_t>(y));
    }

    // The character a key also sends, as the platform's key translation would.
    wchar_t KeyCharacter(uint32_t key)
    {
        switch (key) {
        case VK_BACK:
        case VK_TAB:
        case VK_RETURN:
        case VK_ESCAPE:
            return wchar_t(key);
        default:
            return 0;
        }
    }

    bool IsModifier(uint32_t key)
    {
        return key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU;
    }

    // Keys whose text arrives separately, or that change nothing: they do not end a
    // Korean composition.
    bool IsTypingKey(uint32_t key)
    {
        return (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9') || key == VK_SPACE || IsModifier(key)
            || key == 0;
    }

    bool IsHangul(const std::wstring& text)
    {
        for (wchar_t c : text) {
            bool hangul = (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0x1100 && c <= 0x11FF) || (c >= 0x3131 && c <= 0x318E)
                || (c >= 0xA960 && c <= 0xA97F) || (c >= 0xD7B0 && c <= 0xD7FF);
            if (!hangul)
                return false;
        }
        return !text.empty();
    }

    // The characters of a key's text; control characters come with the key itself.
    std::wstring Printable(const std::wstring& text)
    {
        std::wstring out;
        for (wchar_t c : text) {
            if (c >= 0x20 && c != 0x7F)
                out += c;
        }
        return out;
    }

    // Keys a Korean input method keeps for itself when it takes them: its mode and Hanja
    // keys, modifiers and command chords.
    bool IsSwitchKey(uint32_t key, bool shift, bool command)
    {
        return command || IsModifier(key) || key == VK_HANGUL || key == VK_HANJA || key == VK_F9
            || (key == VK_SPACE && shift);
    }

    // A letter key as the input method takes it: one that composes Hangul.
    bool IsLetterKey(uint32_t key, bool shift, bool command)
    {
        return key >= 'A' && key <= 'Z' && !IsSwitchKey(key, shift, command);
    }

    // The composition message's flag for a composition emptied without a result.
    constexpr LPARAM kCompositionEmptied = 0x100;
    // The buttons word of a right-button message (MK_RBUTTON).
    constexpr WPARAM kRightButton = 0x0002;

} // namespace

void DisplayInput::Post(UINT message, WPARAM wParam, LPARAM lParam)
{
    PostMessageW(m_window, message, wParam, lParam);
}

void DisplayInput::InTurn(std::function<void()> run)
{
    ReadDone();
    if (m_steps.empty()) {
        run();
        return;
    }
    m_steps.push_back(Step { Press {}, std::move(run) });
}

void DisplayInput::EndCompositionForPress()
{
    // A press ends the syllable where it was typed.
    FlushHangul();
    if (!m_imeText.empty()) {
        CommitAhead();
        // Else the input method would go on composing from it wherever the press leads.
        if (m_resetInputMethod)
            m_resetInputMethod();
    }
}

void DisplayInput::PointerDown(int32_t x, int32_t y)
{
    m_cursor = { x, y };
    InTurn([this, x, y] {
        EndCompositionForPress();
        m_pressed = true;
        Post(WM_LBUTTONDOWN, 1, PointParam(x, y));
    });
}

void DisplayInput::PointerMove(int32_t x, int32_t y)
{
    m_cursor = { x, y };
    InTurn([this, x, y] {
        if (m_pressed)
            Post(WM_MOUSEMOVE, 1, PointParam(x, y));
    });
}

void DisplayInput::PointerUp(int32_t x, int32_t y)
{
    m_cursor = { x, y };
    InTurn([this, x, y] {
        if (!m_pressed)
            return;
        m_pressed = false;
        Post(WM_LBUTTONUP, 0, PointParam(x, y));
    });
}

void DisplayInput::RightDown(int32_t x, int32_t y)
{
    m_cursor = { x, y };
    InTurn([this, x, y] {
        EndCompositionForPress();
        Post(WM_RBUTTONDOWN, kRightButton, PointParam(x, y));
    });
}

void DisplayInput::RightUp(int32_t x, int32_t y)
{
    m_cursor = { x, y };
    InTurn([this, x, y] { Post(WM_RBUTTONUP, 0, PointParam(x, y)); });
}

void DisplayInput::Wheel(int32_t x, int32_t y, float notches)
{
    m_cursor = { x, y };
    if (!std::isfinite(notches))
        return;
    const float units = std::clamp(notches * float(WHEEL_DELTA) + m_wheelRest, -32767.0f, 32767.0f);
    const auto delta = static_cast<int32_t>(units);
    m_wheelRest = units - float(delta);
    if (delta == 0)
        return;
    RECT window;
    if (!GetWindowRect(m_window, &window))
        window = RECT {};
    InTurn([this, delta, x, y, window] {
        Post(WM_MOUSEWHEEL, WPARAM(uint32_t(uint16_t(int16_t(delta))) << 16),
            PointParam(x + window.left, y + window.top));
    });
}

void DisplayInput::KeyPressed(uint32_t virtualKey, const std::wstring& text, bool shift, bool command, bool control)
{
    ReadDone();
    Press press;
    press.key = virtualKey;
    press.raw = text;
    press.shift = shift;
    press.command = command;
    press.control = control;
    m_steps.push_back(Step { std::move(press), nullptr });
}

void DisplayInput::Key(bool down, uint32_t virtualKey, bool repeat)
{
    if (down && !m_steps.empty() && !m_steps.back().run && m_steps.back().press.state == Press::Read) {
        // Let through: the key is what it says. Without the input method nothing else
        // types its text; with it, SDL's text for it follows.
        Press& press = m_steps.back().press;
        press.state = Press::Let;
        press.key = virtualKey;
        press.repeat = repeat;
        if (m_rawKeys)
            press.typed = Printable(press.raw);
        else
            press.awaitsText = !Printable(press.raw).empty();
        Advance();
        return;
    }
    ReadDone();
    if (down) {
        for (Step& step : m_steps) {
            if (!step.run && step.press.state == Press::Taken && step.press.key == virtualKey && virtualKey != 0)
                step.press.handedBack = true; // the input method gave the key back itself
        }
    }
    InTurn([this, down, virtualKey, repeat] { Send(down, virtualKey, repeat); });
}

void DisplayInput::Send(bool down, uint32_t virtualKey, bool repeat)
{
    if (virtualKey == VK_SHIFT)
        m_shift = down;
    if (virtualKey == VK_CONTROL)
        m_control = down;
    if (down) {
        if (!m_imeText.empty() && !IsModifier(virtualKey))
            CommitAhead();
        bool toggle = virtualKey == VK_HANGUL || (virtualKey == VK_SPACE && m_shift);
        if (toggle) {
            FlushHangul();
            ToggleHangulKeyboard();
            m_swallowSpace = virtualKey == VK_SPACE;
            return;
        }
        if (virtualKey == VK_BACK && m_hangul.IsComposing()) {
            HangulComposer::Result result;
            m_hangul.Backspace(result);
            Compose(result.composition);
            return;
        }
        if (!IsTypingKey(virtualKey))
            FlushHangul();
    }
    if (virtualKey == 0)
        return;
    // Key data: repeat count 1; bit 30 the previous state, bit 31 set on release.
    uint32_t data = 1;
    if (!down)
        data |= 0xC0000000u;
    else if (repeat)
        data |= 0x40000000u;
    Post(down ? WM_KEYDOWN : WM_KEYUP, virtualKey, static_cast<LPARAM>(data));
    if (wchar_t c = down ? KeyCharacter(virtualKey) : 0)
        Post(WM_CHAR, static_cast<WPARAM>(c), static_cast<LPARAM>(data));
}

void DisplayInput::FollowControl(const Press& press)
{
    if (press.key != VK_CONTROL && press.key != 0 && press.control != m_control)
        Send(press.control, VK_CONTROL, false);
}

void DisplayInput::Text(const std::wstring& text)
{
    if (!m_steps.empty() && m_steps.back().press.awaitsText) {
        Press& press = m_steps.back().press; // the text of the key let through just now
        press.typed = text;
        press.awaitsText = false;
        Advance();
        return;
    }
    ReadDone();
    Take(Answer { false, text });
}

void DisplayInput::Composition(const std::wstring& text)
{
    ReadDone();
    Take(Answer { true, text });
}

void DisplayInput::EndOfInput()
{
    ReadDone();
    ReleaseHeld();
    // No answer is still to come: each taken key has all it will get.
    while (!m_steps.empty()) {
        Advance();
        if (m_steps.empty())
            break;
        Step step = std::move(m_steps.front());
        m_steps.pop_front();
        if (step.press.role == Press::Other)
            Finish(step.press);
    }
}

void DisplayInput::ReadDone()
{
    if (m_steps.empty() || m_steps.back().run)
        return;
    Press& press = m_steps.back().press;
    press.awaitsText = false;
    if (press.state != Press::Read)
        return;
    if (m_rawKeys) {
        // Nothing stood between the key and us: its text is what it typed.
        press.state = Press::Let;
        press.key = 0;
        press.typed = Printable(press.raw);
    } else {
        press.state = Press::Taken;
    }
    Advance();
}

void DisplayInput::Classify(Press& press)
{
    press.composition = m_imeText;
    if (IsSwitchKey(press.key, press.shift, press.command) || (press.key == 0 && Printable(press.raw).empty()))
        press.role = Press::Ignored;
    else if (IsLetterKey(press.key, press.shift, press.command))
        press.role = Press::Letter;
    else if (press.key == VK_BACK && !press.composition.empty())
        press.role = Press::Back;
    else
        press.role = Press::Other;
}

void DisplayInput::Advance()
{
    while (!m_steps.empty()) {
        Step& step = m_steps.front();
        if (step.run) {
            std::function<void()> run = std::move(step.run);
            m_steps.pop_front();
            run();
            continue;
        }
        Press& press = step.press;
        if (press.state == Press::Read || press.awaitsText)
            return; // what became of it is not known yet
        if (press.state == Press::Let) {
            Press let = std::move(press);
            m_steps.pop_front();
            FollowControl(let);
            Send(true, let.key, let.repeat);
            Type(let.typed);
            continue;
        }
        if (press.role == Press::Unknown)
            Classify(press);
        if (press.role != Press::Ignored)
            return; // its answers are still to come
        m_steps.pop_front();
    }
}

bool DisplayInput::HasTakenAfterFirst() const
{
    for (size_t i = 1; i < m_steps.size(); ++i) {
        if (!m_steps[i].run && m_steps[i].press.state != Press::Let)
            return true;
    }
    return false;
}

void DisplayInput::Take(const Answer& answer)
{
    if (!m_held.empty()) {
        m_held.push_back(answer);
        return;
    }
    for (;;) {
        Advance();
        if (m_steps.empty()) {
            Apply(answer);
            return;
        }
        Press& press = m_steps.front().press;
        bool composing = answer.composition && !answer.text.empty();
        switch (press.role) {
        case Press::Letter:
            // A letter's answers end with the composition it joined.
            Apply(answer);
            if (composing)
                m_steps.pop_front();
            Advance();
            return;
        case Press::Back:
            Apply(answer);
            m_steps.pop_front();
            Advance();
            return;
        default:
            if (composing && HasTakenAfterFirst()) {
                if (press.composes) {
                    // The key composed (a jamo key of a layout beyond A-Z): its own.
                    press.composes = false;
                    press.onlyClosed = false;
                    Apply(answer);
                    return;
                }
                if (!m_releasing) {
                    m_held.push_back(answer);
                    return;
                }
                // A later key's answer, so this key's answers are over.
                Press done = std::move(press);
                m_steps.pop_front();
                Finish(done);
                continue;
            }
            if (answer.composition) {
                press.onlyClosed = press.onlyClosed && answer.text.empty();
                press.emptied = press.emptied || answer.text.empty();
            } else if (answer.text != press.composition) {
                press.onlyClosed = false;
            }
            Apply(answer);
            return;
        }
    }
}

void DisplayInput::ReleaseHeld()
{
    if (m_held.empty())
        return;
    std::vector<Answer> held = std::move(m_held);
    m_held.clear();
    // Every letter still waiting ends its answers with a composition: one more than
    // they need is the first key's own.
    size_t compositions = 0;
    for (const Answer& answer : held)
        compositions += answer.composition && !answer.text.empty();
    size_t letters = 0;
    for (size_t i = 1; i < m_steps.size(); ++i) {
        const Press& press = m_steps[i].press;
        letters += !m_steps[i].run && press.state == Press::Taken && IsLetterKey(press.key, press.shift, press.command);
    }
    if (compositions > letters && !m_steps.empty() && !m_steps.front().run)
        m_steps.front().press.composes = true;
    m_releasing = true;
    for (const Answer& answer : held)
        Take(answer);
    m_releasing = false;
}

void DisplayInput::Apply(const Answer& answer)
{
    if (answer.composition) {
        if (!answer.text.empty()) {
            m_expected.clear(); // a new composition: whatever was committed ahead is behind
            m_hangulIme = IsHangul(answer.text);
        }
        FlushHangul();
        m_imeText = answer.text;
        Compose(answer.text);
        return;
    }
    std::wstring text = answer.text;
    if (!m_expected.empty() && text.compare(0, m_expected.size(), m_expected) == 0) {
        text.erase(0, m_expected.size()); // committed ahead already
        m_expected.clear();
        if (text.empty())
            return;
    }
    if (m_composing && !m_hangul.IsComposing()) {
        m_imeText.clear();
        Commit(text); // the desktop's input method finished its composition
        return;
    }
    Type(text);
}

void DisplayInput::Finish(const Press& press)
{
    // A Korean input method that forwards the keys it does not use takes them, ends its
    // composition and hands them back where we cannot see them. Only a Hangul composition
    // tells the key was not meant for the input method itself (other languages convert or
    // pick candidates with Space and Enter).
    bool hangul = press.composition.empty() ? press.emptied || m_hangulIme : IsHangul(press.composition);
    if (press.handedBack || !press.onlyClosed || !hangul)
        return;
    wchar_t line[96];
    std::swprintf(line, 96, L"[UX+] DisplayInput, key 0x%02X was taken by the input method: typed here.\n",
        unsigned(press.key));
    OutputDebugStringW(line);
    FollowControl(press);
    Send(true, press.key, false);
    Type(Printable(press.raw));
}

void DisplayInput::Type(const std::wstring& text)
{
    bool korean = IsHangulKeyboard();
    for (wchar_t c : text) {
        if (m_swallowSpace && c == L' ') {
            m_swallowSpace = false;
            continue;
        }
        HangulComposer::Result result;
        if (korean && m_hangul.Key(c, result)) {
            if (!result.commit.empty())
                Commit(result.commit);
            Compose(result.composition);
            continue;
        }
        FlushHangul();
        Commit(std::wstring(1, c));
    }
}

void DisplayInput::Commit(const std::wstring& text)
{
    for (wchar_t c : text) {
        if (m_composing)
            Post(WM_IME_COMPOSITION, static_cast<WPARAM>(c), GCS_RESULTSTR);
        else
            Post(WM_CHAR, static_cast<WPARAM>(c), 1);
    }
    if (m_composing) {
        m_composing = false;
        Post(WM_IME_ENDCOMPOSITION, 0, 0);
    }
}

void DisplayInput::CommitAhead()
{
    m_expected = m_imeText;
    std::wstring text = std::move(m_imeText);
    m_imeText.clear();
    Commit(text);
}

void DisplayInput::Compose(const std::wstring& text)
{
    if (text.empty()) {
        if (m_composing) {
            Post(WM_IME_COMPOSITION, 0, kCompositionEmptied);
            Post(WM_IME_ENDCOMPOSITION, 0, 0);
            m_composing = false;
        }
        return;
    }
    if (!m_composing) {
        m_composing = true;
        Post(WM_IME_STARTCOMPOSITION, 0, 0);
    }
    // A Hangul composition is one syllable: the last character is the one being built.
    Post(WM_IME_COMPOSITION, static_cast<WPARAM>(text.back()), GCS_COMPSTR);
}

void DisplayInput::FlushHangul()
{
    if (m_hangul.IsComposing())
        Commit(m_hangul.Flush());
}

void DisplayInput::CancelComposition()
{
    if (!m_hangul.IsComposing())
        return;
    m_hangul.Flush();
    // The window holds nothing of the syllable, so there is nothing to empty: the
    // composition just ends.
    if (m_composing) {
        m_composing = false;
        Post(WM_IME_ENDCOMPOSITION, 0, 0);
    }
}

void DisplayInput::Activate(bool active)
{
    InTurn([this, active] {
        if (!active)
            FlushHangul();
        Post(WM_ACTIVATE, active ? WA_ACTIVE : WA_INACTIVE, 0);
    });
}

void DisplayInput::Close()
{
    Post(WM_CLOSE, 0, 0);
}

} // namespace plat
