#pragma once

// The input panel (on-screen keyboard) and the input method, kept as state: the desktop
// has neither, so each call changes the state and is recorded. Showing the panel starts
// the display's text input and hiding it stops it. Nothing is drawn for the panel, so it
// takes no room: its rectangle is empty, at the bottom edge of the screen.

#include "platform/event/Message.h"

#include <cstdint>
#include <string>
#include <vector>

namespace plat {

constexpr uint32_t SIPF_OFF = 0x0;
constexpr uint32_t SIPF_ON = 0x1;
constexpr uint32_t SPI_GETSIPINFO = 0xE1;
constexpr uint32_t SHFS_HIDESIPBUTTON = 0x8;
constexpr uint32_t IME_CMODE_NATIVE = 0x1;
constexpr uint32_t IME_CMODE_FULLSHAPE = 0x8;
constexpr uint32_t NI_COMPOSITIONSTR = 0x15;
constexpr uint32_t CPS_CANCEL = 0x4;

struct IMENUMINFO {
    wchar_t szName[260] = {};
    uint8_t clsid[16] = {};
};

struct SIPINFO {
    uint32_t cbSize = sizeof(SIPINFO);
    uint32_t fdwFlags = 0;
    RECT rcVisibleDesktop;
    RECT rcSipRect;
};

using HIMC = uintptr_t;

// The installed input methods and the current one's class id.
std::vector<IMENUMINFO> SipEnumIM();
bool SipGetCurrentIM(uint8_t clsid[16]);
bool SipShowIM(uint32_t flags);
// SPI_GETSIPINFO: the panel's rectangle and the desktop above it.
bool SHSipInfo(uint32_t action, uint32_t param, SIPINFO* info, uint32_t winIni);
bool SHFullScreen(HWND window, uint32_t state);

HIMC ImmGetContext(HWND window);
bool ImmGetConversionStatus(HIMC context, uint32_t* conversion, uint32_t* sentence);
bool ImmSetConversionStatus(HIMC context, uint32_t conversion, uint32_t sentence);
bool ImmReleaseContext(HWND window, HIMC context);
// NI_COMPOSITIONSTR with CPS_CANCEL: the composition is dropped without a result, so the
// keys that follow start afresh. Other actions are refused.
bool ImmNotifyIME(HIMC context, uint32_t action, uint32_t index, uint32_t value);

// Configuration and inspection. Tests of how screens make room for a keyboard give the
// panel a size of their own.
void SetInputPanelRect(const RECT& rect);
RECT GetInputPanelRect();
bool IsInputPanelShown();
uint32_t GetConversionMode();
// Every call above as text ("SipShowIM 1", "ImmSetConversionStatus 1 0" ...), oldest first.
std::vector<std::string> GetInputPanelCalls();
// Forgets the calls and any rectangle set, and returns to a hidden panel, alphanumeric
// mode, no desktop input method.
void ResetInputPanel();
// The display's text input follows the panel.
void SetTextInputHandler(void (*handler)(bool on));
// The display's composer drops what it composes when the input method is told to.
void SetCompositionCancelHandler(void (*handler)());

// The panel's own Korean keyboard: while on, Latin letters typed where the desktop has
// no input method are composed into Hangul. Off after a reset.
void SetHangulKeyboard(bool on);
bool IsHangulKeyboard();
// The panel's input-mode button.
void ToggleHangulKeyboard();
// Told whenever the Korean keyboard goes on or off, on the thread that switched it.
void SetHangulKeyboardHandler(void (*handler)(bool on));

// Whether the desktop has an input method of its own for the window (ibus, fcitx ...):
// the display finds out from the desktop, tests set it. Where there is one, it decides
// how keys become text and the Korean keyboard is only what the user turns on.
void SetDesktopInputMethod(bool present);
bool HasDesktopInputMethod();

} // namespace plat
