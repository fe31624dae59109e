#include "platform/display/DisplayInput.h"

#include "platform/display/VirtualKeys.h"
#include "platform/event/MessageQueue.h"
#include "platform/system/InputPanel.h"

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

    // Keys whose text arrives separately, or that change nothing: they do not end a
    // Korean composition.
    bool IsTypingKey(uint32_t key)
    {
        return (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9') || key == VK_SPACE || key == VK_SHIFT
            || key == VK_CONTROL || key == VK_MENU;
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
    FlushHangul(); // a tap ends the syllable where it was typed
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

void DisplayInput::Key(bool down, uint32_t virtualKey, bool repeat)
{
    if (virtualKey == VK_SHIFT)
        m_shift = down;
    if (down) {
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

void DisplayInput::Text(const std::wstring& text)
{
    if (m_composing && !m_hangul.IsComposing()) {
        Commit(text); // the desktop's input method finished its composition
        return;
    }
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
    FlushHangul();
    Compose(text);
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
    if (!active)
        FlushHangul();
    Post(WM_ACTIVATE, active ? WA_ACTIVE : WA_INACTIVE, 0);
}

void DisplayInput::Close()
{
    Post(WM_CLOSE, 0, 0);
}

} // namespace plat
