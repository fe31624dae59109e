#include "platform/display/DisplayInput.h"

#include "platform/display/VirtualKeys.h"
#include "platform/event/MessageQueue.h"

namespace plat {

namespace {

    LPARAM PointParam(int32_t x, int32_t y)
    {
        return MAKELPARAM(static_cast<uint16_t>(x), static_cast<uint16_t>(y));
    }

} // namespace

void DisplayInput::Post(UINT message, WPARAM wParam, LPARAM lParam)
{
    PostMessageW(m_window, message, wParam, lParam);
}

void DisplayInput::PointerDown(int32_t x, int32_t y)
{
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
    // Key data: repeat count 1; bit 30 the previous state, bit 31 set on release.
    uint32_t data = 1;
    if (!down)
        data |= 0xC0000000u;
    else if (repeat)
        data |= 0x40000000u;
    Post(down ? WM_KEYDOWN : WM_KEYUP, virtualKey, static_cast<LPARAM>(data));
}

void DisplayInput::Text(const std::wstring& text)
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

void DisplayInput::Composition(const std::wstring& text)
{
    if (text.empty()) {
        if (m_composing) {
            Post(WM_IME_COMPOSITION, 0, 0);
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

void DisplayInput::Activate(bool active)
{
    Post(WM_ACTIVATE, active ? WA_ACTIVE : WA_INACTIVE, 0);
}

void DisplayInput::Close()
{
    Post(WM_CLOSE, 0, 0);
}

} // namespace plat
