#pragma once

// Window-message types and numbers. The numbers are the ones the toolkit's message
// tables were written against, so they keep their historical values.

#include <cstdint>

namespace plat {

struct WindowObject;
using HWND = WindowObject*; // an opaque handle; never dereferenced, looked up by value
using UINT = uint32_t;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

struct POINT {
    int32_t x = 0;
    int32_t y = 0;
};

struct RECT {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

struct MSG {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    uint32_t time = 0; // timeGetTime when the message was posted
    POINT pt;
};

// Passed as lParam of WM_CREATE.
struct CREATESTRUCTW {
    void* lpCreateParams = nullptr;
    HWND hwndParent = nullptr;
    int32_t x = 0;
    int32_t y = 0;
    int32_t cx = 0;
    int32_t cy = 0;
    uint32_t style = 0;
    const wchar_t* lpszName = nullptr;
    const wchar_t* lpszClass = nullptr;
};

constexpr UINT WM_NULL = 0x0000;
constexpr UINT WM_CREATE = 0x0001;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_SIZE = 0x0005;
constexpr UINT WM_ACTIVATE = 0x0006;
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUIT = 0x0012;
constexpr UINT WM_ERASEBKGND = 0x0014;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_KEYUP = 0x0101;
constexpr UINT WM_CHAR = 0x0102;
constexpr UINT WM_IME_STARTCOMPOSITION = 0x010D;
constexpr UINT WM_IME_ENDCOMPOSITION = 0x010E;
constexpr UINT WM_IME_COMPOSITION = 0x010F;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_RBUTTONDOWN = 0x0204;
constexpr UINT WM_RBUTTONUP = 0x0205;
// wParam: the wheel's travel in its high word (WHEEL_DELTA a notch, positive away from
// the user), the buttons held in its low word; lParam: the pointer in screen coordinates.
constexpr UINT WM_MOUSEWHEEL = 0x020A;
// wParam: the window asked; lParam: the pointer in screen coordinates.
constexpr UINT WM_CONTEXTMENU = 0x007B;
constexpr UINT EM_GETSEL = 0x00B0;
constexpr UINT EM_SETSEL = 0x00B1;
constexpr UINT EM_REPLACESEL = 0x00C2;
constexpr UINT WM_USER = 0x0400;

constexpr int32_t WHEEL_DELTA = 120;

constexpr uint32_t WA_INACTIVE = 0;
constexpr uint32_t WA_ACTIVE = 1;
constexpr uint32_t WA_CLICKACTIVE = 2;

// PeekMessage options.
constexpr UINT PM_NOREMOVE = 0x0000;
constexpr UINT PM_REMOVE = 0x0001;

inline uint16_t LOWORD(uintptr_t v)
{
    return static_cast<uint16_t>(v & 0xFFFF);
}
inline uint16_t HIWORD(uintptr_t v)
{
    return static_cast<uint16_t>((v >> 16) & 0xFFFF);
}
inline LPARAM MAKELPARAM(uint16_t low, uint16_t high)
{
    return static_cast<LPARAM>(static_cast<uint32_t>(low) | (static_cast<uint32_t>(high) << 16));
}
inline int16_t GET_WHEEL_DELTA_WPARAM(WPARAM w)
{
    return static_cast<int16_t>(HIWORD(w));
}

} // namespace plat
