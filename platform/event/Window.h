#pragma once

// Windows with procedures, found by handle, class or title. Handles are numbers that
// are never reused, so a handle kept after DestroyWindow is simply invalid.

#include "platform/event/Message.h"

#include <cstdint>

namespace plat {

struct WNDCLASSW {
    uint32_t style = 0;
    WNDPROC lpfnWndProc = nullptr;
    int32_t cbClsExtra = 0;
    int32_t cbWndExtra = 0;
    void* hInstance = nullptr;
    void* hIcon = nullptr;
    void* hCursor = nullptr;
    void* hbrBackground = nullptr;
    const wchar_t* lpszMenuName = nullptr;
    const wchar_t* lpszClassName = nullptr;
};

constexpr int32_t CW_USEDEFAULT = INT32_MIN;
constexpr int32_t GWLP_WNDPROC = -4;
constexpr int32_t GWLP_USERDATA = -21;
constexpr int32_t SW_HIDE = 0;
constexpr int32_t SW_SHOWNORMAL = 1;
constexpr int32_t SW_SHOW = 5;

// Registers a class by name (names compare exactly). Returns a non-zero atom, or 0 when
// the name is empty, the procedure is missing or the name is already registered.
uint16_t RegisterClassW(const WNDCLASSW* windowClass);
bool UnregisterClassW(const wchar_t* className);

// Creates a window of a registered class and sends it WM_CREATE (lParam: CREATESTRUCTW*);
// a procedure answering -1 cancels the creation. CW_USEDEFAULT takes the default rectangle.
HWND CreateWindowExW(uint32_t exStyle, const wchar_t* className, const wchar_t* title, uint32_t style,
    int32_t x, int32_t y, int32_t width, int32_t height, HWND parent, void* menu, void* instance,
    void* createParam);

// A hidden window, titled like its class, that only receives posted messages; the class
// is registered on first use. userData is stored as GWLP_USERDATA after WM_CREATE.
HWND CreateMessageWindow(const wchar_t* className, WNDPROC procedure, intptr_t userData = 0);

// Sends WM_DESTROY, then forgets the window, its messages still queued and its children.
bool DestroyWindow(HWND window);
bool IsWindow(HWND window);

// First window (in creation order) whose class and title match; a null argument matches any.
HWND FindWindowW(const wchar_t* className, const wchar_t* title);
// The window's title; a window on the desktop shows it in its title bar (the display is
// told through the observer). False for an invalid window.
bool SetWindowTextW(HWND window, const wchar_t* text);
// Copies up to count - 1 characters of the title and a terminating 0; the number copied.
int32_t GetWindowTextW(HWND window, wchar_t* text, int32_t count);
// Called on the thread that sets a title, after the window has it; null for none.
using WindowTitleObserver = void (*)(HWND window, const wchar_t* title);
void SetWindowTitleObserver(WindowTitleObserver observer);
HWND GetParent(HWND window);

intptr_t GetWindowLongPtrW(HWND window, int32_t index);
// Returns the previous value; 0 for an invalid window or index.
intptr_t SetWindowLongPtrW(HWND window, int32_t index, intptr_t value);

// Calls the window's procedure at once on the calling thread (the UI thread). 0 when the
// window is invalid.
LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// WM_PAINT validates the window, WM_CLOSE destroys it, WM_RBUTTONUP sends the window
// WM_CONTEXTMENU with the point in screen coordinates; everything else answers 0.
LRESULT DefWindowProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Returns whether the window was visible before.
bool ShowWindow(HWND window, int32_t command);
bool IsWindowVisible(HWND window);
// Sends WM_PAINT at once when the window has an invalid region.
bool UpdateWindow(HWND window);

bool GetClientRect(HWND window, RECT* rect);
bool GetWindowRect(HWND window, RECT* rect);
// Moves and resizes; sends WM_SIZE (client width and height in lParam) when the size changed.
bool MoveWindow(HWND window, int32_t x, int32_t y, int32_t width, int32_t height, bool repaint);

// The rectangle CW_USEDEFAULT stands for (the display backend sets it; 480 x 640 at first).
void SetDefaultWindowRect(const RECT& rect);

// Invalid region, kept as one bounding rectangle in client coordinates and clipped to the
// client area. A null rectangle means the whole client area. A window with an invalid
// region gets a WM_PAINT when nothing else is queued.
bool InvalidateRect(HWND window, const RECT* rect, bool erase);
// Validating a rectangle that covers the region empties it; a smaller one leaves it, so
// that nothing is missed (the next paint redraws a little more).
bool ValidateRect(HWND window, const RECT* rect);
// True when the region is not empty; rect (may be null) receives it, or all 0.
bool GetUpdateRect(HWND window, RECT* rect, bool erase);

} // namespace plat
