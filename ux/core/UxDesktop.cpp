#include "ux/core/UxDesktop.h"

#include "ux/core/UxDeviceWindow.h"
#include "ux/core/UxPopupControl.h"
#include "ux/core/UxPopupInstance.h"
#include "ux/core/UxTransitionManager.h"
#include "ux/graphics/UxDeviceContextPool.h"

bool UxDesktop::Create(const std::wstring& name, const plat::RECT& rect)
{
    UxDeviceWindow* device = UxDeviceWindow::GetInstance();
    if (!device || !device->Create(name, rect))
        return false;
    SetOwnSurface(true);
    SetRect(rect);
    if (!InitInstance())
        return false;
    return device->Show();
}

bool UxDesktop::Run()
{
    if (!RunMessageLoop())
        return false;
    Shutdown();
    return true;
}

void UxDesktop::Shutdown()
{
    if (UxPopupInstance* popups = UxPopupInstance::GetInstance()) {
        if (auto* control = dynamic_cast<UxPopupControl*>(popups->GetPopup()))
            control->Close(0);
    }
    ExitInstance();
}

bool UxDesktop::OnSize(int32_t width, int32_t height)
{
    if (GetWidth() != width || GetHeight() != height) {
        if (UxDeviceContextPool* pool = UxDeviceContextPool::GetInstance())
            pool->UnloadAll();
        SetSize(width, height);
    }
    return true;
}

namespace {

// The running transitions, while no popup or captured window takes the pointer first.
UxTransitionManager* TransitionsUnderPointer()
{
    UxPopupInstance* popups = UxPopupInstance::GetInstance();
    if ((popups && popups->GetPopup()) || UxWindow::CapturedWindow)
        return nullptr;
    return UxTransitionManager::GetInstance();
}

} // namespace

bool UxDesktop::RootPointerDown(int32_t x, int32_t y)
{
    // A press on a part of a transition that looks still waits for it to end.
    if (UxTransitionManager* transitions = TransitionsUnderPointer(); transitions && transitions->HoldPress(x, y))
        return true;
    return GetPointerTracker().OnTrackerDown(x, y);
}

bool UxDesktop::RootPointerMove(int32_t x, int32_t y)
{
    if (UxTransitionManager* transitions = UxTransitionManager::GetInstance();
        transitions && transitions->HoldMove(x, y, GetPointerTracker().GetSlop()))
        return true;
    return GetPointerTracker().OnTrackerMove(x, y);
}

bool UxDesktop::RootPointerUp(int32_t x, int32_t y)
{
    if (UxTransitionManager* transitions = UxTransitionManager::GetInstance();
        transitions && transitions->HoldRelease(x, y))
        return true;
    return GetPointerTracker().OnTrackerUp(x, y);
}

bool UxDesktop::RootKeyDown(plat::WPARAM key, plat::LPARAM keyData)
{
    return FocusedWindow && FocusedWindow->OnKeyDown(key, keyData);
}

bool UxDesktop::RootKeyUp(plat::WPARAM key, plat::LPARAM keyData)
{
    return FocusedWindow && FocusedWindow->OnKeyUp(key, keyData);
}

bool UxDesktop::RootImeComposition(plat::WPARAM character, plat::LPARAM mode)
{
    return FocusedWindow && FocusedWindow->OnImeComposition(character, mode);
}

bool UxDesktop::RootChar(plat::WPARAM character, plat::LPARAM keyData)
{
    return FocusedWindow && FocusedWindow->OnChar(character, keyData);
}

bool UxDesktop::RootGetSelection(plat::WPARAM word1, plat::LPARAM word2)
{
    return FocusedWindow ? FocusedWindow->OnGetSelection(word1, word2) : true;
}

bool UxDesktop::RootSetSelection(plat::WPARAM start, plat::LPARAM end)
{
    return FocusedWindow ? FocusedWindow->OnSetSelection(start, end) : true;
}

bool UxDesktop::RootReplaceSelection(plat::LPARAM text1, plat::LPARAM text2)
{
    return FocusedWindow ? FocusedWindow->OnReplaceSelection(text1, text2) : true;
}
