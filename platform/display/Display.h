#pragma once

// The screen the program's one window is shown on. Backend "sdl" is a real window on
// the desktop; "headless" keeps the frame in memory and takes input from tests.
// QUORIX_DISPLAY chooses (default sdl). The frame is registered as the screen bitmap,
// so GetDC(nullptr) and the paint context draw into it.

#include "platform/display/DisplayInput.h"
#include "platform/gdi/Gdi.h"
#include "platform/system/InputPanel.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace plat {

struct PAINTSTRUCT {
    HDC hdc = nullptr;
    bool fErase = false;
    RECT rcPaint;
};

class Display {
public:
    virtual ~Display();
    Display(const Display&) = delete;
    Display& operator=(const Display&) = delete;

    virtual const char* GetName() const = 0;
    // Shows the frame's rect (window pixels) on screen.
    virtual void Present(const RECT& rect) = 0;
    // UI thread: bring the window to the front, with the focus.
    virtual void Raise() = 0;
    // Any thread: ask for Raise on the UI thread.
    virtual void RequestRaise() = 0;
    // The backend's text input, with the desktop's input method in it.
    virtual void SetTextInput(bool on) = 0;
    virtual void SetMouseCapture(bool) { }
    // The desktop's clipboard, as plain text. GetClipboard waits for the clipboard's
    // owner; a paste reads through ReadClipboard.
    virtual bool SetClipboard(const std::wstring& text) = 0;
    virtual std::wstring GetClipboard() = 0;
    // UI thread: asks for the clipboard's text without waiting for its owner. done runs
    // on the UI thread with the text, or with "" when there is none or the owner did not
    // answer in time (what the clipboard holds is left alone). Until then keys, clicks,
    // the activation and the close wait in the queue, in order, while the window goes on
    // drawing (and taking the wheel).
    // Returns a number for CancelClipboardRead while done has still to run, else 0.
    using ClipboardReader = std::function<void(const std::wstring& text)>;
    uint64_t ReadClipboard(ClipboardReader done);
    // done will not run, and the input goes on.
    void CancelClipboardRead(uint64_t id);
    bool IsReadingClipboard() const { return !m_readers.empty(); }
    // UI thread: the title the desktop shows for the window.
    virtual void SetTitle(const std::wstring& title) = 0;
    // UI thread: whether the window has the desktop's keyboard focus.
    virtual bool HasFocus() const = 0;
    // UI thread: asks briefly for the user's attention (the taskbar entry flashes); the
    // window does not take the focus.
    virtual void Flash() = 0;

    HWND GetWindow() const { return m_window; }
    Bitmap* GetFrame() const { return m_frame; }
    DisplayInput& GetInput() { return m_input; }
    // The window changed size (window pixels): a new frame, WM_SIZE, a full repaint.
    bool Resize(int width, int height);
    bool SaveFramePng(const std::string& path) const;
    // Text input as the input panel asks for it. While the desktop's input method is
    // detached from the window the backend's text input stays off and each key press
    // types its own text.
    void RequestTextInput(bool on);
    void DetachInputMethod(bool detached);
    bool IsInputMethodDetached() const { return m_imeDetached; }

    uint64_t GetPresentCount() const { return m_presents; }
    const RECT& GetLastPresentRect() const { return m_lastPresent; }

protected:
    explicit Display(HWND window);
    bool MakeFrame(int width, int height);
    // Starts reading the clipboard without blocking, to end in FinishClipboardRead; false
    // when the backend cannot, and GetClipboard is asked at once.
    virtual bool BeginClipboardRead() { return false; }
    // The text came, or "" when none will; the readers hear of it from the queue.
    void FinishClipboardRead(const std::wstring& text);
    void CountPresent(const RECT& rect)
    {
        ++m_presents;
        m_lastPresent = rect;
    }

private:
    static LRESULT ClipboardWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void DeliverClipboardRead();

    HWND m_window;
    Bitmap* m_frame = nullptr;
    std::vector<std::pair<uint64_t, ClipboardReader>> m_readers;
    uint64_t m_lastRead = 0;
    std::wstring m_clipboardAnswer;
    HWND m_clipboardWindow = nullptr; // where a finished read is posted
    DisplayInput m_input;
    uint64_t m_presents = 0;
    RECT m_lastPresent;
    bool m_textInput = false;
    bool m_imeDetached = false;
};

// Opens the chosen backend over the window's client area; null when it cannot (the
// reason is traced). One display at a time.
Display* OpenDisplay(HWND window, const std::wstring& title);
void CloseDisplay();
Display* GetDisplay();
// Any thread.
void RequestRaise();

// Paint bracket: BeginPaint takes the window's invalid region (validating it) and gives
// a context over the frame clipped to it; EndPaint presents that region.
HDC BeginPaint(HWND window, PAINTSTRUCT* paint);
bool EndPaint(HWND window, const PAINTSTRUCT* paint);
bool SetForegroundWindow(HWND window);
// The program's window while it has the desktop's keyboard focus, else null.
HWND GetForegroundWindow();
// Asks once, briefly, for the user's attention; the state it had before is not kept, so
// false is returned. False also for a window that is not on the display.
bool FlashWindow(HWND window, bool invert);
HWND SetCapture(HWND window);
bool ReleaseCapture();
HWND GetCapture();
// The clipboard's text (UI thread); false or "" without a display.
bool SetClipboardText(const std::wstring& text);
std::wstring GetClipboardText();
// Where the pointer was last seen over the window, in screen coordinates.
bool GetCursorPos(POINT* point);
// The desktop's input method for the window: a null context detaches it, so keys type
// what they say (a password field); any other context attaches it again. Returns the
// context the window had.
HIMC ImmAssociateContext(HWND window, HIMC context);

} // namespace plat
