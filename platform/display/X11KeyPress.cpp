#include "platform/display/X11KeyPress.h"

#include "platform/display/VirtualKeys.h"
#include "platform/display/X11Clipboard.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <X11/Xutil.h>
#include <X11/keysym.h>

namespace plat {

namespace {

    const XKeyEvent* AsKeyPress(const SDL_Event& event)
    {
        if (event.type != SDL_SYSWMEVENT || !event.syswm.msg || event.syswm.msg->subsystem != SDL_SYSWM_X11)
            return nullptr;
        const XEvent& x = event.syswm.msg->msg.x11.event;
        return x.type == KeyPress ? &x.xkey : nullptr;
    }

    // Every other X event (but the answer to a paste) would only wake the loop for
    // nothing. Called as the press is read, before SDL hands the key to the input method.
    int KeepKeyPresses(void*, SDL_Event* event)
    {
        if (event->type != SDL_SYSWMEVENT)
            return 1;
        const XKeyEvent* key = AsKeyPress(*event);
        if (!key)
            return IsClipboardEvent(*event) ? 1 : 0;
        const SDL_Keymod mod = SDL_GetModState();
        const bool control = (key->state & ControlMask) != 0;
        if (control != ((mod & KMOD_CTRL) != 0))
            SDL_SetModState(SDL_Keymod(control ? (mod | KMOD_LCTRL) : (mod & ~KMOD_CTRL)));
        return 1;
    }

    uint32_t VirtualKey(KeySym sym)
    {
        if (sym >= XK_a && sym <= XK_z)
            return 'A' + uint32_t(sym - XK_a);
        if (sym >= XK_A && sym <= XK_Z)
            return 'A' + uint32_t(sym - XK_A);
        if (sym >= XK_0 && sym <= XK_9)
            return '0' + uint32_t(sym - XK_0);
        if (sym >= XK_F1 && sym <= XK_F12)
            return VK_F1 + uint32_t(sym - XK_F1);
        switch (sym) {
        case XK_BackSpace:
            return VK_BACK;
        case XK_Tab:
            return VK_TAB;
        case XK_Return:
        case XK_KP_Enter:
            return VK_RETURN;
        case XK_Shift_L:
        case XK_Shift_R:
            return VK_SHIFT;
        case XK_Control_L:
        case XK_Control_R:
            return VK_CONTROL;
        case XK_Alt_L:
        case XK_Alt_R:
            return VK_MENU;
        case XK_Escape:
            return VK_ESCAPE;
        case XK_Menu:
            return VK_APPS;
        case XK_space:
            return VK_SPACE;
        case XK_Prior:
            return VK_PRIOR;
        case XK_Next:
            return VK_NEXT;
        case XK_End:
            return VK_END;
        case XK_Home:
            return VK_HOME;
        case XK_Left:
            return VK_LEFT;
        case XK_Up:
            return VK_UP;
        case XK_Right:
            return VK_RIGHT;
        case XK_Down:
            return VK_DOWN;
        case XK_Insert:
            return VK_INSERT;
        case XK_Delete:
            return VK_DELETE;
        case XK_Hangul:
            return VK_HANGUL;
        case XK_Hangul_Hanja:
            return VK_HANJA;
        default:
            return 0;
        }
    }

} // namespace

void WatchKeyPresses()
{
    SDL_SetEventFilter(KeepKeyPresses, nullptr);
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
}

bool ReadKeyPress(const SDL_Event& event, KeyStroke& press)
{
    const XKeyEvent* key = AsKeyPress(event);
    if (!key || !key->display)
        return false;
    XKeyEvent copy = *key;
    char bytes[32] = {};
    KeySym sym = NoSymbol;
    int n = XLookupString(&copy, bytes, sizeof bytes - 1, &sym, nullptr);
    press = KeyStroke {};
    press.virtualKey = VirtualKey(sym);
    for (int i = 0; i < n; ++i)
        press.text += wchar_t(static_cast<unsigned char>(bytes[i])); // Latin-1
    press.shift = (key->state & ShiftMask) != 0;
    press.command = (key->state & (ControlMask | Mod1Mask | Mod4Mask)) != 0;
    press.control = (key->state & ControlMask) != 0;
    return true;
}

} // namespace plat
