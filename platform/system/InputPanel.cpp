#include "platform/system/InputPanel.h"

#include "platform/system/SystemMetrics.h"

#include <cstring>
#include <mutex>

namespace plat {

namespace {

    struct PanelState {
        std::mutex mutex;
        bool shown = false;
        bool rectSet = false;
        RECT rect;
        uint32_t conversion = 0;
        uint32_t sentence = 0;
        std::vector<std::string> calls;
        void (*textInput)(bool) = nullptr;
        void (*cancelComposition)() = nullptr;
        void (*hangulChanged)(bool) = nullptr;
        bool hangul = false;
        bool desktopMethod = false;
    };

    PanelState& Panel()
    {
        static PanelState state;
        return state;
    }

    // The one input method there is: the desktop's keyboard.
    const uint8_t kKeyboardClass[16]
        = { 'q', 'u', 'o', 'r', 'i', 'x', '-', 'k', 'e', 'y', 'b', 'o', 'a', 'r', 'd', 0 };

    // No keyboard is drawn on the desktop: the panel is an empty band under the screen,
    // so nothing moves or shrinks to make room for it.
    RECT DefaultPanelRect()
    {
        DeviceProfile p = GetDeviceProfile();
        return RECT { 0, p.screenHeight, p.screenWidth, p.screenHeight };
    }

    void Record(PanelState& s, std::string call)
    {
        s.calls.push_back(std::move(call));
    }

    // One field of the state, written or read under the lock.
    template <typename T> void Store(T PanelState::*field, T value)
    {
        auto& s = Panel();
        std::lock_guard<std::mutex> lock(s.mutex);
        s.*field = value;
    }

    template <typename T> T Load(T PanelState::*field)
    {
        auto& s = Panel();
        std::lock_guard<std::mutex> lock(s.mutex);
        return s.*field;
    }

    // Switches the Korean keyboard; whoever watches it hears of a change after the lock.
    void SwitchHangul(PanelState& s, std::unique_lock<std::mutex>& lock, bool on)
    {
        const bool changed = s.hangul != on;
        s.hangul = on;
        void (*handler)(bool) = changed ? s.hangulChanged : nullptr;
        lock.unlock();
        if (handler)
            handler(on);
    }

} // namespace

std::vector<IMENUMINFO> SipEnumIM()
{
    auto& s = Panel();
    std::lock_guard<std::mutex> lock(s.mutex);
    Record(s, "SipEnumIM");
    IMENUMINFO info;
    std::wcsncpy(info.szName, L"Keyboard", 259);
    std::memcpy(info.clsid, kKeyboardClass, 16);
    return { info };
}

bool SipGetCurrentIM(uint8_t clsid[16])
{
    auto& s = Panel();
    std::lock_guard<std::mutex> lock(s.mutex);
    Record(s, "SipGetCurrentIM");
    if (!clsid)
        return false;
    std::memcpy(clsid, kKeyboardClass, 16);
    return true;
}

bool SipShowIM(uint32_t flags)
{
    auto& s = Panel();
    void (*handler)(bool) = nullptr;
    bool on = (flags & SIPF_ON) != 0;
    {
        std::lock_guard<std::mutex> lock(s.mutex);
        Record(s, "SipShowIM " + std::to_string(flags));
        s.shown = on;
        handler = s.textInput;
    }
    if (handler)
        handler(on);
    return true;
}

bool SHSipInfo(uint32_t action, uint32_t, SIPINFO* info, uint32_t)
{
    auto& s = Panel();
    std::lock_guard<std::mutex> lock(s.mutex);
    Record(s, "SHSipInfo " + std::to_string(action));
    if (action != SPI_GETSIPINFO || !info)
        return false;
    DeviceProfile p = GetDeviceProfile();
    info->rcSipRect = s.rectSet ? s.rect : DefaultPanelRect();
    info->fdwFlags = s.shown ? SIPF_ON : SIPF_OFF;
    info->rcVisibleDesktop = RECT { 0, 0, p.screenWidth, s.shown ? info->rcSipRect.top : p.screenHeight };
    return true;
}

bool SHFullScreen(HWND, uint32_t state)
{
    auto& s = Panel();
    std::lock_guard<std::mutex> lock(s.mutex);
    Record(s, "SHFullScreen " + std::to_string(state));
    return true;
}

HIMC ImmGetContext(HWND window)
{
    auto& s = Panel();
    std::lock_guard<std::mutex> lock(s.mutex);
    Record(s, "ImmGetContext");
    return window ? 1 : 0;
}

bool ImmGetConversionStatus(HIMC context, uint32_t* conversion, uint32_t* sentence)
{
    auto& s = Panel();
    std::lock_guard<std::mutex> lock(s.mutex);
    Record(s, "ImmGetConversionStatus");
    if (!context)
        return false;
    if (conversion)
        *conversion = s.conversion;
    if (sentence)
        *sentence = s.sentence;
    return true;
}

bool ImmSetConversionStatus(HIMC context, uint32_t conversion, uint32_t sentence)
{
    auto& s = Panel();
    std::lock_guard<std::mutex> lock(s.mutex);
    Record(s, "ImmSetConversionStatus " + std::to_string(conversion) + " " + std::to_string(sentence));
    if (!context)
        return false;
    s.conversion = conversion;
    s.sentence = sentence;
    return true;
}

bool ImmReleaseContext(HWND, HIMC)
{
    auto& s = Panel();
    std::lock_guard<std::mutex> lock(s.mutex);
    Record(s, "ImmReleaseContext");
    return true;
}

bool ImmNotifyIME(HIMC context, uint32_t action, uint32_t index, uint32_t value)
{
    auto& s = Panel();
    void (*handler)() = nullptr;
    {
        std::lock_guard<std::mutex> lock(s.mutex);
        Record(s,
            "ImmNotifyIME " + std::to_string(action) + " " + std::to_string(index) + " " + std::to_string(value));
        if (!context || action != NI_COMPOSITIONSTR || index != CPS_CANCEL)
            return false;
        handler = s.cancelComposition;
    }
    if (handler)
        handler();
    return true;
}

void SetInputPanelRect(const RECT& rect)
{
    auto& s = Panel();
    std::lock_guard<std::mutex> lock(s.mutex);
    s.rect = rect;
    s.rectSet = true;
}

RECT GetInputPanelRect()
{
    auto& s = Panel();
    std::lock_guard<std::mutex> lock(s.mutex);
    return s.rectSet ? s.rect : DefaultPanelRect();
}

bool IsInputPanelShown()
{
    auto& s = Panel();
    std::lock_guard<std::mutex> lock(s.mutex);
    return s.shown;
}

uint32_t GetConversionMode()
{
    auto& s = Panel();
    std::lock_guard<std::mutex> lock(s.mutex);
    return s.conversion;
}

std::vector<std::string> GetInputPanelCalls()
{
    auto& s = Panel();
    std::lock_guard<std::mutex> lock(s.mutex);
    return s.calls;
}

void ResetInputPanel()
{
    auto& s = Panel();
    std::lock_guard<std::mutex> lock(s.mutex);
    s.calls.clear();
    s.shown = false;
    s.rectSet = false;
    s.conversion = 0;
    s.sentence = 0;
    s.hangul = false;
    s.desktopMethod = false;
}

void SetTextInputHandler(void (*handler)(bool on))
{
    Store(&PanelState::textInput, handler);
}

void SetCompositionCancelHandler(void (*handler)())
{
    Store(&PanelState::cancelComposition, handler);
}

void SetHangulKeyboard(bool on)
{
    auto& s = Panel();
    std::unique_lock<std::mutex> lock(s.mutex);
    Record(s, std::string("SetHangulKeyboard ") + (on ? "1" : "0"));
    SwitchHangul(s, lock, on);
}

bool IsHangulKeyboard()
{
    return Load(&PanelState::hangul);
}

void ToggleHangulKeyboard()
{
    auto& s = Panel();
    std::unique_lock<std::mutex> lock(s.mutex);
    SwitchHangul(s, lock, !s.hangul);
}

void SetHangulKeyboardHandler(void (*handler)(bool on))
{
    Store(&PanelState::hangulChanged, handler);
}

void SetDesktopInputMethod(bool present)
{
    Store(&PanelState::desktopMethod, present);
}

bool HasDesktopInputMethod()
{
    return Load(&PanelState::desktopMethod);
}

} // namespace plat
