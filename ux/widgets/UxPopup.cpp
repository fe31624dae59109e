#include "ux/widgets/UxPopup.h"

#include "ux/core/UxDesktop.h"
#include "ux/core/UxDeviceWindow.h"
#include "ux/core/UxPopupInstance.h"
#include "ux/core/UxSipHandler.h"
#include "ux/core/UxTimerManager.h"
#include "ux/core/UxText.h"
#include "ux/graphics/UxDeviceContext.h"
#include "ux/markup/UxSkinWords.h"
#include "ux/markup/UxXmlNode.h"

#include <algorithm>
#include <climits>

namespace {

int32_t FrameHeight(UxImageWindow& frame)
{
    if (frame.GetImage().GetHandle() == -1)
        return 0;
    const plat::RECT& coord = frame.GetImage().GetDesc().ImageCoord;
    return int32_t(std::clamp<int64_t>(int64_t(coord.bottom) - coord.top, 0, INT32_MAX));
}

} // namespace

UxPopup::UxPopup()
{
    // Composed apart from the screen it dims, so it needs a surface of its own.
    SetOwnSurface(true);
    AddChild(&TopFrame);
    AddChild(&MiddleFrame);
    AddChild(&BottomFrame);
}

UxPopup::~UxPopup()
{
    EndWait();
    if (UxPopupInstance* popups = UxPopupInstance::GetInstance()) {
        if (popups->GetPopup() == this)
            popups->SetPopup(nullptr);
    }
    if (UxWindow* parent = GetParent())
        parent->RemoveChild(this);
    RemoveChild(&TopFrame);
    RemoveChild(&MiddleFrame);
    RemoveChild(&BottomFrame);
}

bool UxPopup::OnRectChanged(const plat::RECT&)
{
    int32_t width = GetWidth(), height = GetHeight();
    int32_t top = FrameHeight(TopFrame), bottom = FrameHeight(BottomFrame);
    int32_t middleEnd = int32_t(std::clamp<int64_t>(int64_t(height) - bottom, INT32_MIN, INT32_MAX));
    TopFrame.SetRect({ 0, 0, width, top });
    BottomFrame.SetRect({ 0, middleEnd, width, height });
    MiddleFrame.SetRect({ 0, top, width, middleEnd });
    TopFrame.SetVisible(top >= 1);
    BottomFrame.SetVisible(bottom >= 1);
    MiddleFrame.SetVisible(int64_t(middleEnd) - top >= 1);
    return true;
}

bool UxPopup::OnPaint(UxDeviceContext* surface, const plat::RECT& rect)
{
    if (UxDeviceWindow* device = UxDeviceWindow::GetInstance())
        device->AddInvalidRect(ClientToScreen(SurfaceToClient(rect)));
    if (surface) {
        UxBlitInfo& blit = surface->GetBlitInfo();
        blit.Method = PresentInfo.Method;
        blit.Value = PresentInfo.Value;
    }
    return true;
}

bool UxPopup::ApplySkin(UxXmlNode* node)
{
    if (!UxWindow::ApplySkin(node))
        return false;
    if (!node)
        return true;
    if (UxXmlNode* present = node->FindChild(L"PresentInfo")) {
        if (UxXmlNode* n = present->FindChild(L"DrawMethod"))
            PresentInfo.Method = ParseDrawMethod(n->GetText());
        if (UxXmlNode* n = present->FindChild(L"ColorKey"))
            PresentInfo.Value = n->GetColor();
        if (UxXmlNode* n = present->FindChild(L"ConstantAlpha"))
            PresentInfo.Value = uint32_t(n->GetInt()) & 0xFF;
    }
    struct Frame {
        const wchar_t* name;
        UxImageWindow* window;
    } frames[] = { { L"TSkin", &TopFrame }, { L"MSkin", &MiddleFrame }, { L"BSkin", &BottomFrame } };
    for (const Frame& frame : frames) {
        if (UxXmlNode* n = node->FindChild(frame.name); n && !frame.window->ApplySkin(n))
            return false;
    }
    OnRectChanged(GetRect());
    return true;
}

bool UxPopup::IsOpen() const
{
    UxPopupInstance* popups = UxPopupInstance::GetInstance();
    return popups && popups->GetPopup() == this;
}

bool UxPopup::Popup(UxPopupCallback callback, uintptr_t context)
{
    UxPopupInstance* popups = UxPopupInstance::GetInstance();
    UxDesktop* desktop = UxDesktop::GetInstance();
    if (!popups || !desktop || m_closed)
        return false;
    m_callback = callback;
    m_context = context;
    if (popups->GetPopup() == this)
        return true;
    if (UxWindow* previous = popups->GetPopup()) {
        if (auto* control = dynamic_cast<UxPopupControl*>(previous))
            control->Close(0);
        popups->SetPopup(nullptr);
        UxTrace(L"[UX+] %s, Previous popup instance has been closed.\n", L"UxPopup::Popup");
        UxTrace(L"[UX+] %s, Note that popup can have only an instance at a time.\n", L"UxPopup::Popup");
    }
    popups->SetPopup(this);
    // Arriving unasked while the person types elsewhere, it must not take the Enter meant
    // for what they are typing: the keys stay there a moment longer.
    UxTimerManager* timers = UxTimerManager::GetInstance();
    if (desktop->IsTypingElsewhere() && timers)
        m_waitTimer = timers->Add(kTypingWait, kTypingWait, &WaitOver, reinterpret_cast<uintptr_t>(this));
    if (!m_waitTimer)
        TakeFocus();
    desktop->AddChild(this);
    // A popup larger than the screen keeps its top-left corner on it.
    SetPosition({ std::max(0, (desktop->GetWidth() - GetWidth()) / 2), std::max(0, (desktop->GetHeight() - GetHeight()) / 2) });
    desktop->Invalidate(plat::RECT {}, true);
    return true;
}

bool UxPopup::Close(int32_t result)
{
    if (m_closed)
        return false;
    m_closed = true;
    UxPopupInstance* popups = UxPopupInstance::GetInstance();
    if (popups && popups->GetPopup() == this)
        popups->SetPopup(nullptr);
    // Off the screen, a list of ours must not keep hiding the windows under its place.
    if (popups) {
        for (UxWindow* w = popups->GetMenuList(); w; w = w->GetParent()) {
            if (w == this) {
                popups->SetMenuList(nullptr);
                break;
            }
        }
    }
    if (UxWindow* parent = GetParent()) {
        parent->RemoveChild(this);
        parent->Invalidate(plat::RECT {}, true);
    }
    SetVisible(false);
    // Before the callback, which may put the focus somewhere else again.
    GiveFocusBack();
    if (m_callback)
        m_callback(m_context, this, result);
    // The button whose handler closed the popup may still be on the stack.
    if (popups)
        popups->DeleteLater(this);
    else
        delete this;
    return true;
}

void UxPopup::WaitOver(uintptr_t popup)
{
    auto* self = reinterpret_cast<UxPopup*>(popup);
    self->m_waitTimer = 0;
    if (!self->m_closed)
        self->TakeFocus();
}

void UxPopup::StopWaiting()
{
    if (EndWait() && !m_closed)
        TakeFocus();
}

bool UxPopup::EndWait()
{
    if (!m_waitTimer)
        return false;
    if (UxTimerManager* timers = UxTimerManager::GetInstance())
        timers->Remove(m_waitTimer);
    m_waitTimer = 0;
    return true;
}

void UxPopup::TakeFocus()
{
    UxWindow* back = Contains(FocusedWindow) ? nullptr : FocusedWindow;
    // Opened by a button pressed while typing: the box typed in has the caret again.
    if (back && !back->IsTabStop() && PreviousFocusedWindow && PreviousFocusedWindow->IsTabStop()
        && PreviousFocusedWindow->IsShownInTree() && !Contains(PreviousFocusedWindow))
        back = PreviousFocusedWindow;
    FocusBehindPopup = back;
    // Not before: while the popup waits, the panel brings the desktop's text to the box.
    if (UxSipHandler* sip = UxSipHandler::GetInstance())
        sip->RequestHide();
    SetFocus(true);
}

void UxPopup::GiveFocusBack()
{
    if (EndWait())
        return; // it never took the focus
    UxWindow* back = FocusBehindPopup;
    FocusBehindPopup = nullptr;
    if (FocusedWindow && !Contains(FocusedWindow))
        return;
    UxDesktop* desktop = UxDesktop::GetInstance();
    if (back && desktop && desktop->Contains(back) && back->IsShownInTree()
        && !back->GetPointerTracker().IsDisabled())
        back->SetFocus(true);
    else if (FocusedWindow)
        FocusedWindow->SetFocus(false);
}
