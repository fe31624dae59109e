#pragma once

#include "platform/display/Display.h"

#include <atomic>
#include <string>

namespace plat {

// The frame in memory; tests inject input through GetInput() and read the frame.
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

    int GetRaiseCount() const { return m_raises; }
    bool IsTextInputOn() const { return m_textInput; }

private:
    using Display::Display;

    std::atomic<int> m_raises { 0 };
    bool m_textInput = false;
    std::wstring m_clipboard;
};

} // namespace plat
