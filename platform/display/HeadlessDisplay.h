#pragma once

#include "platform/display/Display.h"

#include <atomic>
#include <string>

namespace plat {

// The frame in memory; tests inject input through GetInput() and read the frame. The
// window has the focus until a test takes it away.
class HeadlessDisplay : public Display {
public:
    static HeadlessDisplay* Open(HWND window, int width, int height);

    const char* GetName() const override { return "headless"; }
    void Present(const RECT& rect) override { CountPresent(rect); }
    void Raise() override { ++m_raises; }
    void RequestRaise() override { ++m_raises; }
    void SetTextInput(bool on) override { m_textInput = on; }
    // A clipboard of its own, which tests fill and read.
    bool SetClipboard(const std::wstring& text) override
    {
        m_clipboard = text;
        return true;
    }
    std::wstring GetClipboard() override { return m_clipboard; }
    // Tests: a paste waits for AnswerClipboard, as for an owner that takes its time;
    // AnswerClipboard("") is an owner that never answered.
    void SetClipboardAnswersLater(bool later) { m_answersLater = later; }
    void AnswerClipboard(const std::wstring& text) { FinishClipboardRead(text); }
    void SetTitle(const std::wstring& title) override { m_title = title; }
    bool HasFocus() const override { return m_focused; }
    void Flash() override { ++m_flashes; }

    // Another window takes the focus, or this one gets it back (as the desktop tells a
    // real window: WM_ACTIVATE follows).
    void SetFocused(bool focused);

    int GetRaiseCount() const { return m_raises; }
    bool IsTextInputOn() const { return m_textInput; }
    const std::wstring& GetTitle() const { return m_title; }
    int GetFlashCount() const { return m_flashes; }

protected:
    bool BeginClipboardRead() override { return m_answersLater; }

private:
    using Display::Display;

    std::atomic<int> m_raises { 0 };
    bool m_textInput = false;
    std::wstring m_clipboard;
    std::wstring m_title;
    bool m_focused = true;
    int m_flashes = 0;
    bool m_answersLater = false;
};

} // namespace plat
