#include "ux/core/UxSipHandler.h"

#include "ux/core/UxDesktop.h"
#include "ux/core/UxDeviceWindow.h"

#include <cstring>

namespace {

// Visible windows from the root, parent before children; a window answering false ends
// the whole walk.
template <typename Call> bool Walk(UxWindow* window, Call call)
{
    for (; window; window = window->GetNextSibling()) {
        if (window->IsVisible()) {
            if (!call(window))
                return false;
            if (!Walk(window->GetFirstChild(), call))
                return false;
        }
    }
    return true;
}

} // namespace

UxSipHandler::UxSipHandler()
{
    m_methods = plat::SipEnumIM();
    uint8_t current[16] = {};
    if (plat::SipGetCurrentIM(current)) {
        for (size_t i = 0; i < m_methods.size(); ++i) {
            if (std::memcmp(m_methods[i].clsid, current, 16) == 0) {
                m_current = i;
                break;
            }
        }
    }
}

void UxSipHandler::Show()
{
    if (m_state == HideRequested) {
        m_state = Shown; // the panel never went away
        return;
    }
    if (m_state == Shown)
        return;
    plat::SipShowIM(plat::SIPF_ON);
    m_state = Shown;
    plat::SIPINFO info;
    plat::SHSipInfo(plat::SPI_GETSIPINFO, 0, &info, 0);
    m_room = info.rcSipRect.right > info.rcSipRect.left && info.rcSipRect.bottom > info.rcSipRect.top;
    Walk(UxDesktop::GetInstance(), [&](UxWindow* w) { return w->OnSipShown(info.rcSipRect); });
}

void UxSipHandler::ApplyPendingHide()
{
    if (m_state == HideRequested) {
        plat::SipShowIM(plat::SIPF_OFF);
        m_state = JustHidden;
        Walk(UxDesktop::GetInstance(), [](UxWindow* w) { return w->OnSipHidden(); });
    } else if (m_state == JustHidden) {
        m_state = Hidden;
    }
}

void UxSipHandler::SetConversionMode(int32_t mode)
{
    UxDeviceWindow* device = UxDeviceWindow::GetInstance();
    plat::HWND window = device ? device->GetHandle() : nullptr;
    plat::HIMC context = plat::ImmGetContext(window);
    uint32_t conversion = 0, sentence = 0;
    plat::ImmGetConversionStatus(context, &conversion, &sentence);
    conversion &= ~3u;
    if (mode == 0 || mode == 1)
        conversion |= plat::IME_CMODE_NATIVE;
    plat::ImmSetConversionStatus(context, conversion, sentence);
    plat::ImmReleaseContext(window, context);
    // Where the desktop has no input method the panel composes Hangul itself, for the
    // Korean keyboard only: the native one types what the keys say. Where it has one,
    // that one composes in the mode the user chose there: a field asking for Hangul does
    // not turn a second composer on under it.
    if (mode != 1)
        plat::SetHangulKeyboard(false);
    else if (!plat::HasDesktopInputMethod())
        plat::SetHangulKeyboard(true);
}

void UxSipHandler::CancelComposition()
{
    UxDeviceWindow* device = UxDeviceWindow::GetInstance();
    plat::HWND window = device ? device->GetHandle() : nullptr;
    plat::HIMC context = plat::ImmGetContext(window);
    plat::ImmNotifyIME(context, plat::NI_COMPOSITIONSTR, plat::CPS_CANCEL, 0);
    plat::ImmReleaseContext(window, context);
}
