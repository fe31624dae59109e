#include "platform/display/DisplayInput.h"

#include "platform/display/VirtualKeys.h"
#include "platform/event/MessageQueue.h"
#include "platform/system/InputPanel.h"
#include "platform/system/Trace.h"

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

    // A key a Korean input method takes for itself: letters compose, Backspace takes a
    // jamo back, the mode and Hanja keys switch, command chords are shortcuts.
    bool IsInputMethodKey(uint32_t key, bool shift, bool command, bool composing)
    {
        return command || IsModifier(key) || (key >= 'A' && key <= 'Z') || key == VK_HANGUL || key == VK_HANJA
            || key == VK_F9 || (key == VK_SPACE && shift) || (key == VK_BACK && composing);
    }

    // The composition message's flag for a composition emptied without a result.
    constexpr LPARAM kCompositionEmptied = 0x100;

} // namespace

void DisplayInput::Post(UINT message, WPARAM wParam, LPARAM lParam)
{
    PostMessageW(m_window, message, wParam, lParam);
}

void DisplayInput::PointerDown(int32_t x, int32_t y)
{
    Settle();
    // A tap ends the syllable where it was typed.
    FlushHangul();
    if (!m_imeText.empty()) {
        CommitAhead();
        // Else the input method would go on composing from it wherever the tap leads.
        if (m_resetInputMethod)
            m_resetInputMethod();
    }
    m_pressed = true;
    Post(WM_LBUTTONDOWN, 1, PointParam(x, y));
}

void DisplayInput::PointerMove(int32_t x, int32_t y)
{
    if (m_pressed)
        Post(WM_MOUSEMOVE, 1, PointParam(x, y));
}

void DisplayInput::PointerUp(int32_t x, int32_t y)
{
    if (!m_pressed)
        return;
    m_pressed = false;
    Post(WM_LBUTTONUP, 0, PointParam(x, y));
}

void DisplayInput::KeyPressed(uint32_t virtualKey, const std::wstring& text, bool shift, bool command)
{
    Settle();
    m_press.state = Press::Read;
    m_press.key = virtualKey;
    m_press.text = text;
    m_press.shift = shift;
    m_press.command = command;
    m_press.composition = m_imeText;
}

void DisplayInput::Key(bool down, uint32_t virtualKey, bool repeat)
{
    if (down && m_press.state == Press::Read) {
        // Let through: the key is what it says. Without the input method nothing else
        // types its text.
        Press press = std::move(m_press);
        m_press = Press {};
        Send(down, virtualKey, repeat);
        if (m_rawKeys)
            Type(Printable(press.text));
        return;
    }
    if (down && m_press.state == Press::Taken && virtualKey != 0 && virtualKey == m_press.key)
        m_press = Press {}; // the input method handed the key back itself
    if (down)
        Settle();
    else
        Taken();
    Send(down, virtualKey, repeat);
}

void DisplayInput::Send(bool down, uint32_t virtualKey, bool repeat)
{
    if (virtualKey == VK_SHIFT)
        m_shift = down;
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

void DisplayInput::Text(const std::wstring& input)
{
    Taken();
    if (m_press.state == Press::Taken && input != m_press.composition)
        m_press.onlyClosed = false;
    std::wstring text = input;
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

void DisplayInput::Composition(const std::wstring& text)
{
    Taken();
    if (m_press.state == Press::Taken) {
        m_press.onlyClosed = m_press.onlyClosed && text.empty();
        m_press.emptied = m_press.emptied || text.empty();
    }
    if (!text.empty()) {
        m_expected.clear(); // a new composition: whatever was committed ahead is behind
        m_hangulIme = IsHangul(text);
    }
    FlushHangul();
    m_imeText = text;
    Compose(text);
}

void DisplayInput::EndOfInput()
{
    Settle();
}

void DisplayInput::Taken()
{
    if (m_press.state != Press::Read)
        return;
    if (m_rawKeys) {
        // Nothing stood between the key and us: its text is what it typed.
        std::wstring text = Printable(m_press.text);
        m_press = Press {};
        Type(text);
        return;
    }
    if (IsInputMethodKey(m_press.key, m_press.shift, m_press.command, !m_press.composition.empty())
        || (m_press.key == 0 && Printable(m_press.text).empty()))
        m_press = Press {};
    else
        m_press.state = Press::Taken;
}

void DisplayInput::Settle()
{
    Taken();
    if (m_press.state != Press::Taken)
        return;
    Press press = std::move(m_press);
    m_press = Press {};
    // A Korean input method that forwards the keys it does not use takes them, closes
    // its composition and hands them back where we cannot see them. Only a Hangul
    // composition tells the key was not meant for the input method itself (other
    // languages convert or pick candidates with Space and Enter).
    bool hangul = press.composition.empty() ? press.emptied || m_hangulIme : IsHangul(press.composition);
    if (!press.onlyClosed || !hangul)
        return;
    wchar_t line[96];
    std::swprintf(line, 96, L"[UX+] DisplayInput, key 0x%02X was taken by the input method: typed here.\n",
        unsigned(press.key));
    OutputDebugStringW(line);
    Send(true, press.key, false);
    Type(Printable(press.text));
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

void DisplayInput::Activate(bool active)
{
    Settle();
    if (!active)
        FlushHangul();
    Post(WM_ACTIVATE, active ? WA_ACTIVE : WA_INACTIVE, 0);
}

void DisplayInput::Close()
{
    Post(WM_CLOSE, 0, 0);
}

} // namespace plat
