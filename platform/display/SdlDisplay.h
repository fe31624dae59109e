#pragma once

#include "platform/display/Display.h"
#include "platform/display/X11Clipboard.h"
#include "platform/event/MessageQueue.h"

#include <atomic>
#include <cstdint>
#include <string>

struct SDL_Window;
union SDL_Event;

namespace plat {

// A real window on the desktop, QUORIX_SCALE (1-8) screen pixels per frame pixel. The UI
// thread sleeps in SDL_WaitEvent (with a time limit when a timer is due), which other
// threads end by pushing an event. A present whose pixels the window shows already is
// left out.
class SdlDisplay : public Display, public EventSource {
public:
    static SdlDisplay* Open(HWND window, const std::wstring& title, int width, int height);
    ~SdlDisplay() override;

    const char* GetName() const override { return "sdl"; }
    void Present(const RECT& rect) override;
    void Raise() override;
    void RequestRaise() override;
    void SetTextInput(bool on) override;
    void SetMouseCapture(bool on) override;
    // SDL's clipboard, in UTF-8. On X11 a paste reads it without waiting for its owner.
    bool SetClipboard(const std::wstring& text) override;
    std::wstring GetClipboard() override;
    void SetTitle(const std::wstring& title) override;
    bool HasFocus() const override;
    void Flash() override;

    void Pump() override;
    void Wait(int timeoutMs) override;
    void Wake() override;

    int GetScale() const { return m_scale; }
    uint32_t GetWindowId() const;

    // Whether the desktop names an input method that SDL attaches to the window: the
    // SDL_IM_MODULE it asks for, the "@im=" of XMODIFIERS, or a running ibus's address
    // (IBUS_ADDRESS). "none" names none; null stands for unset.
    static bool NamesInputMethod(const char* imModule, const char* xModifiers, const char* ibusAddress);

protected:
    bool BeginClipboardRead() override;

private:
    explicit SdlDisplay(HWND window);
    // The paste's answer came, or its owner has had its time.
    void EndClipboardRead();
    void Handle(const SDL_Event& event);
    // True when the window's surface already shows the frame's rect.
    bool IsShown(const RECT& rect) const;

    SDL_Window* m_sdlWindow = nullptr;
    int m_scale = 1;
    uint32_t m_wakeEvent = 0;
    std::atomic<bool> m_raiseRequested { false };
    bool m_resetInputMethod = false;
    // The window's pixels cannot be trusted (new, exposed or resized): present in full.
    bool m_stale = true;
    X11ClipboardRead m_clipboardRead;
};

} // namespace plat
