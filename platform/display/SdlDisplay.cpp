#include "platform/display/SdlDisplay.h"

#include "platform/display/VirtualKeys.h"
#include "platform/display/X11KeyPress.h"
#include "platform/event/Clock.h"
#include "platform/event/Window.h"
#include "platform/system/FileSystem.h"
#include "platform/system/SessionBus.h"
#include "platform/system/Trace.h"
#include "platform/system/Utf8.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>

namespace plat {

namespace {

    int ScaleFromEnvironment()
    {
        const char* text = std::getenv("QUORIX_SCALE");
        int scale = text ? std::atoi(text) : 1;
        return std::clamp(scale, 1, 8);
    }

    void TraceSdl(const char* what)
    {
        std::string line = std::string("[UX+] SdlDisplay, ") + what + ": " + SDL_GetError() + "\n";
        std::wstring wide(line.begin(), line.end());
        OutputDebugStringW(wide.c_str());
    }

    uint32_t VirtualKey(SDL_Keycode key)
    {
        if (key >= SDLK_a && key <= SDLK_z)
            return 'A' + static_cast<uint32_t>(key - SDLK_a);
        if (key >= SDLK_0 && key <= SDLK_9)
            return '0' + static_cast<uint32_t>(key - SDLK_0);
        if (key >= SDLK_F1 && key <= SDLK_F12)
            return VK_F1 + static_cast<uint32_t>(key - SDLK_F1);
        if (key == SDL_SCANCODE_TO_KEYCODE(SDL_SCANCODE_LANG1))
            return VK_HANGUL; // the Korean keyboard's Hangul/English key
        switch (key) {
        case SDLK_BACKSPACE:
            return VK_BACK;
        case SDLK_TAB:
            return VK_TAB;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return VK_RETURN;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT:
            return VK_SHIFT;
        case SDLK_LCTRL:
        case SDLK_RCTRL:
            return VK_CONTROL;
        case SDLK_LALT:
        case SDLK_RALT:
            return VK_MENU;
        case SDLK_ESCAPE:
            return VK_ESCAPE;
        case SDLK_APPLICATION:
        case SDLK_MENU:
            return VK_APPS;
        case SDLK_SPACE:
            return VK_SPACE;
        case SDLK_PAGEUP:
            return VK_PRIOR;
        case SDLK_PAGEDOWN:
            return VK_NEXT;
        case SDLK_END:
            return VK_END;
        case SDLK_HOME:
            return VK_HOME;
        case SDLK_LEFT:
            return VK_LEFT;
        case SDLK_UP:
            return VK_UP;
        case SDLK_RIGHT:
            return VK_RIGHT;
        case SDLK_DOWN:
            return VK_DOWN;
        case SDLK_INSERT:
            return VK_INSERT;
        case SDLK_DELETE:
            return VK_DELETE;
        default:
            return 0;
        }
    }

    // Opening the window parses the locale's compose table (thousands of lines) unless
    // libX11 finds it parsed in a cache folder. Unless $XCOMPOSECACHE names one, ours is
    // offered (in place of a ~/.compose-cache the user may have made) while SDL opens the
    // display, and taken back after, so programs we start keep their own.
    bool OfferComposeCache()
    {
        if (std::getenv("XCOMPOSECACHE"))
            return false;
        const std::string cache = GetCacheFolder();
        const std::string folder = cache + "/compose";
        if (cache.empty() || !MakeFolders(folder))
            return false;
        return setenv("XCOMPOSECACHE", folder.c_str(), 0) == 0;
    }

} // namespace

SdlDisplay::SdlDisplay(HWND window)
    : Display(window)
{
}

SdlDisplay* SdlDisplay::Open(HWND window, const std::wstring& title, int width, int height)
{
    // We compose every frame ourselves: a plain software surface, no GL behind it.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    // SDL connects to the session bus as it starts; where there is none it would start
    // one, outliving us with whatever our environment held.
    KeepSessionBusUnstarted();
    // The events (and that connection) start first, and the compose cache is offered
    // only while the display opens: nothing SDL starts on the way inherits it.
    if (SDL_InitSubSystem(SDL_INIT_EVENTS) != 0) {
        TraceSdl("SDL_InitSubSystem");
        return nullptr;
    }
    const bool composeCache = OfferComposeCache();
    const bool opened = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    if (composeCache)
        unsetenv("XCOMPOSECACHE");
    if (!opened) {
        TraceSdl("SDL_InitSubSystem");
        SDL_QuitSubSystem(SDL_INIT_EVENTS);
        return nullptr;
    }
    auto* display = new SdlDisplay(window);
    display->m_scale = ScaleFromEnvironment();
    display->m_wakeEvent = SDL_RegisterEvents(1);
    // Of a fixed size (the screens are laid out for it): without SDL_WINDOW_RESIZABLE the
    // window's size hints hold its least and greatest size at it.
    display->m_sdlWindow = SDL_CreateWindow(EncodeUtf8(title).c_str(), SDL_WINDOWPOS_UNDEFINED,
        SDL_WINDOWPOS_UNDEFINED, width * display->m_scale, height * display->m_scale, 0);
    if (!display->m_sdlWindow || !display->MakeFrame(width, height)) {
        TraceSdl("SDL_CreateWindow");
        delete display;
        return nullptr;
    }
    SDL_StopTextInput();
    SetDesktopInputMethod(
        NamesInputMethod(SDL_getenv("SDL_IM_MODULE"), SDL_getenv("XMODIFIERS"), SDL_getenv("IBUS_ADDRESS")));
    WatchKeyPresses();
    display->GetInput().SetInputMethodReset([display] { display->m_resetInputMethod = true; });
    SetEventSource(display);
    return display;
}

SdlDisplay::~SdlDisplay()
{
    SetEventSource(nullptr);
    SetDesktopInputMethod(false);
    SDL_SetEventFilter(nullptr, nullptr);
    if (m_sdlWindow)
        SDL_DestroyWindow(m_sdlWindow);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    SDL_QuitSubSystem(SDL_INIT_EVENTS);
    if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0)
        SDL_Quit(); // also ends SDL's session-bus connection
}

bool SdlDisplay::NamesInputMethod(const char* imModule, const char* xModifiers, const char* ibusAddress)
{
    const auto names = [](std::string_view name) { return !name.empty() && name != "none"; };
    if (imModule && names(imModule))
        return true;
    if (xModifiers) {
        // "@im=ibus", possibly among other modifiers ("@im=fcitx @foo=bar").
        std::string_view modifiers = xModifiers;
        const size_t at = modifiers.find("@im=");
        if (at != std::string_view::npos) {
            std::string_view name = modifiers.substr(at + 4);
            name = name.substr(0, name.find_first_of("@ \t"));
            if (names(name))
                return true;
        }
    }
    return ibusAddress && *ibusAddress;
}

uint32_t SdlDisplay::GetWindowId() const
{
    return m_sdlWindow ? SDL_GetWindowID(m_sdlWindow) : 0;
}

bool SdlDisplay::IsShown(const RECT& rect) const
{
    const Bitmap* frame = GetFrame();
    const SDL_Surface* target = SDL_GetWindowSurface(m_sdlWindow);
    if (m_stale || !frame || !target || target->format->format != SDL_PIXELFORMAT_RGB888 || rect.left < 0
        || rect.top < 0 || rect.right > frame->Width() || rect.bottom > frame->Height()
        || rect.right * m_scale > target->w || rect.bottom * m_scale > target->h)
        return false;
    // A scaled surface repeats each pixel: its first copy stands for all of them.
    for (int y = rect.top; y < rect.bottom; ++y) {
        const uint32_t* from = frame->Row(y);
        const auto* to = reinterpret_cast<const uint32_t*>(
            static_cast<const uint8_t*>(target->pixels) + size_t(y) * m_scale * size_t(target->pitch));
        uint32_t differ = 0;
        for (int x = rect.left; x < rect.right; ++x)
            differ |= (from[x] ^ to[x * m_scale]) & 0xFFFFFF;
        if (differ)
            return false;
    }
    return true;
}

void SdlDisplay::Present(const RECT& rect)
{
    Bitmap* frame = GetFrame();
    SDL_Surface* target = SDL_GetWindowSurface(m_sdlWindow);
    if (!frame || !target || IsShown(rect))
        return;
    CountPresent(rect);
    m_stale = false;
    SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(frame->Row(0), frame->Width(), frame->Height(),
        32, static_cast<int>(frame->PixelPitch() * 4), SDL_PIXELFORMAT_RGB888);
    if (!source)
        return;
    SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
    SDL_Rect from { rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top };
    SDL_Rect to { from.x * m_scale, from.y * m_scale, from.w * m_scale, from.h * m_scale };
    if (m_scale == 1)
        SDL_BlitSurface(source, &from, target, &to);
    else
        SDL_BlitScaled(source, &from, target, &to);
    SDL_FreeSurface(source);
    SDL_UpdateWindowSurfaceRects(m_sdlWindow, &to, 1);
}

void SdlDisplay::Raise()
{
    SDL_ShowWindow(m_sdlWindow);
    if (SDL_GetWindowFlags(m_sdlWindow) & SDL_WINDOW_MINIMIZED)
        SDL_RestoreWindow(m_sdlWindow);
    // A window manager focuses the window it is asked to raise; without one the window
    // takes the focus itself, now that nothing covers it.
    SDL_RaiseWindow(m_sdlWindow);
    SDL_SetWindowInputFocus(m_sdlWindow);
}

void SdlDisplay::RequestRaise()
{
    m_raiseRequested = true;
    Wake();
}

void SdlDisplay::SetTextInput(bool on)
{
    if (on)
        SDL_StartTextInput();
    else
        SDL_StopTextInput();
}

void SdlDisplay::SetTitle(const std::wstring& title)
{
    SDL_SetWindowTitle(m_sdlWindow, EncodeUtf8(title).c_str());
}

bool SdlDisplay::HasFocus() const
{
    return (SDL_GetWindowFlags(m_sdlWindow) & SDL_WINDOW_INPUT_FOCUS) != 0;
}

void SdlDisplay::Flash()
{
    // Briefly: the desktop marks the window as wanting attention, without stealing the
    // focus or flashing for ever.
    SDL_FlashWindow(m_sdlWindow, SDL_FLASH_BRIEFLY);
}

void SdlDisplay::SetMouseCapture(bool on)
{
    SDL_CaptureMouse(on ? SDL_TRUE : SDL_FALSE);
}

bool SdlDisplay::SetClipboard(const std::wstring& text)
{
    if (SDL_SetClipboardText(EncodeUtf8(text).c_str()) != 0) {
        TraceSdl("SDL_SetClipboardText");
        return false;
    }
    return true;
}

bool SdlDisplay::BeginClipboardRead()
{
    // Elsewhere SDL's own read, which waits, is what there is.
    if (!m_clipboardRead.Begin(m_sdlWindow, GetTickCount64()))
        return false;
    EndClipboardRead();
    return true;
}

void SdlDisplay::EndClipboardRead()
{
    if (m_clipboardRead.IsDone())
        FinishClipboardRead(m_clipboardRead.TakeText());
    else if (m_clipboardRead.IsPending() && m_clipboardRead.TimeLeft(GetTickCount64()) == 0) {
        OutputDebugStringW(L"[UX+] SdlDisplay, the clipboard's owner did not answer in time: nothing is pasted.\n");
        m_clipboardRead.Abandon();
        FinishClipboardRead(L"");
    }
}

std::wstring SdlDisplay::GetClipboard()
{
    char* text = SDL_GetClipboardText();
    if (!text)
        return {};
    std::wstring wide = DecodeUtf8(text);
    SDL_free(text);
    return wide;
}

void SdlDisplay::Pump()
{
    if (m_raiseRequested.exchange(false))
        Raise();
    SDL_Event event;
    while (SDL_PollEvent(&event))
        Handle(event);
    EndClipboardRead();
    // The input method's answers to the keys read so far have come with them.
    GetInput().EndOfInput();
    // Stopping text input resets the input method, which commits what it composed. Only
    // now: stopping also drops the text events still queued.
    if (m_resetInputMethod && SDL_IsTextInputActive()) {
        SDL_StopTextInput();
        SDL_StartTextInput();
    }
    m_resetInputMethod = false;
}

void SdlDisplay::Wait(int timeoutMs)
{
    // Awake when the clipboard's owner has had its time.
    if (const int left = m_clipboardRead.TimeLeft(GetTickCount64()); left >= 0)
        timeoutMs = timeoutMs < 0 ? left : std::min(timeoutMs, left);
    if (timeoutMs < 0)
        SDL_WaitEvent(nullptr);
    else
        SDL_WaitEventTimeout(nullptr, timeoutMs);
}

void SdlDisplay::Wake()
{
    SDL_Event event {};
    event.type = m_wakeEvent;
    SDL_PushEvent(&event);
}

void SdlDisplay::Handle(const SDL_Event& event)
{
    DisplayInput& input = GetInput();
    auto x = [this](int v) { return v / m_scale; };
    switch (event.type) {
    case SDL_MOUSEBUTTONDOWN:
        if (event.button.button == SDL_BUTTON_LEFT)
            input.PointerDown(x(event.button.x), x(event.button.y));
        else if (event.button.button == SDL_BUTTON_RIGHT)
            input.RightDown(x(event.button.x), x(event.button.y));
        break;
    case SDL_MOUSEMOTION:
        input.PointerMove(x(event.motion.x), x(event.motion.y));
        break;
    case SDL_MOUSEBUTTONUP:
        if (event.button.button == SDL_BUTTON_LEFT)
            input.PointerUp(x(event.button.x), x(event.button.y));
        else if (event.button.button == SDL_BUTTON_RIGHT)
            input.RightUp(x(event.button.x), x(event.button.y));
        break;
    case SDL_MOUSEWHEEL: {
        // Touchpads report parts of a notch; a flipped wheel turns the other way.
        const float notches = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.preciseY
                                                                               : event.wheel.preciseY;
        input.Wheel(x(event.wheel.mouseX), x(event.wheel.mouseY), notches);
        break;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        input.Key(event.type == SDL_KEYDOWN, VirtualKey(event.key.keysym.sym), event.key.repeat != 0);
        break;
    case SDL_SYSWMEVENT: {
        KeyStroke press;
        if (ReadKeyPress(event, press))
            input.KeyPressed(press.virtualKey, press.text, press.shift, press.command, press.control);
        else
            m_clipboardRead.Take(event, GetTickCount64());
        break;
    }
    case SDL_TEXTINPUT:
        input.Text(DecodeUtf8(event.text.text));
        break;
    case SDL_TEXTEDITING:
        // Whatever the desktop said, a composition shows it has a method of its own.
        if (event.edit.text[0] != '\0')
            SetDesktopInputMethod(true);
        input.Composition(DecodeUtf8(event.edit.text));
        break;
    case SDL_QUIT:
        input.Close();
        break;
    case SDL_WINDOWEVENT:
        switch (event.window.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            input.Activate(true);
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            input.Activate(false);
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            m_stale = true;
            if (!Resize(x(event.window.data1), x(event.window.data2)))
                InvalidateRect(GetWindow(), nullptr, false);
            break;
        case SDL_WINDOWEVENT_EXPOSED:
            m_stale = true;
            InvalidateRect(GetWindow(), nullptr, false);
            break;
        case SDL_WINDOWEVENT_CLOSE:
            input.Close();
            break;
        default:
            break;
        }
        break;
    default:
        break; // our own wake-ups and everything else
    }
}

} // namespace plat
