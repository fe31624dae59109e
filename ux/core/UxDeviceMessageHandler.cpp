#include "ux/core/UxDeviceMessageHandler.h"

#include "platform/display/Display.h"
#include "platform/display/VirtualKeys.h"
#include "ux/core/UxClock.h"
#include "ux/core/UxDesktop.h"
#include "ux/core/UxDeviceWindow.h"
#include "ux/core/UxSipHandler.h"
#include "ux/core/UxTimerManager.h"
#include "ux/graphics/UxDeviceContextPool.h"
#include "ux/graphics/UxDeviceImagePool.h"
#include "ux/graphics/UxFillRateProfiler.h"
#include "ux/graphics/UxPaintDC.h"

#include <iterator>

namespace {

using plat::LPARAM;
using plat::WPARAM;

int32_t PointX(LPARAM l)
{
    return static_cast<int16_t>(plat::LOWORD(static_cast<uintptr_t>(l)));
}

int32_t PointY(LPARAM l)
{
    return static_cast<int16_t>(plat::HIWORD(static_cast<uintptr_t>(l)));
}

bool OnSize(WPARAM, LPARAM l)
{
    UxDesktop* root = UxDesktop::GetInstance();
    return root
        && root->PropagateSize(
            plat::LOWORD(static_cast<uintptr_t>(l)), plat::HIWORD(static_cast<uintptr_t>(l)));
}

bool Swallow(WPARAM, LPARAM)
{
    return true;
}

bool OnLButtonDown(WPARAM, LPARAM l)
{
    if (UxDeviceWindow* device = UxDeviceWindow::GetInstance())
        plat::SetCapture(device->GetHandle());
    UxDesktop* root = UxDesktop::GetInstance();
    return root && root->RootPointerDown(PointX(l), PointY(l));
}

bool OnMouseMove(WPARAM, LPARAM l)
{
    UxDesktop* root = UxDesktop::GetInstance();
    return root && root->RootPointerMove(PointX(l), PointY(l));
}

bool OnLButtonUp(WPARAM, LPARAM l)
{
    plat::ReleaseCapture();
    UxDesktop* root = UxDesktop::GetInstance();
    return root && root->RootPointerUp(PointX(l), PointY(l));
}

bool OnKeyDown(WPARAM w, LPARAM l)
{
    UxDesktop* root = UxDesktop::GetInstance();
    return root && root->RootKeyDown(w, l);
}

bool OnKeyUp(WPARAM w, LPARAM l)
{
    UxDesktop* root = UxDesktop::GetInstance();
    return root && root->RootKeyUp(w, l);
}

bool OnImeComposition(WPARAM w, LPARAM l)
{
    UxDesktop* root = UxDesktop::GetInstance();
    if (!root)
        return false;
    WPARAM character = plat::LOWORD(w);
    if (l & plat::GCS_RESULTSTR)
        return root->RootChar(character, l);
    LPARAM mode = (l & 0x100) ? 2 : ((l & plat::GCS_COMPSTR) ? 1 : 0);
    return root->RootImeComposition(character, mode);
}

bool OnChar(WPARAM w, LPARAM l)
{
    UxDesktop* root = UxDesktop::GetInstance();
    return root && root->RootChar(plat::LOWORD(w), l);
}

// A point the message carries in screen coordinates, in the device window's space.
plat::POINT FromScreen(LPARAM l)
{
    plat::POINT point { PointX(l), PointY(l) };
    if (UxDeviceWindow* device = UxDeviceWindow::GetInstance())
        device->FromScreen(point);
    return point;
}

bool OnMouseWheel(WPARAM w, LPARAM l)
{
    UxDesktop* root = UxDesktop::GetInstance();
    const plat::POINT p = FromScreen(l);
    return root && root->RootMouseWheel(plat::GET_WHEEL_DELTA_WPARAM(w), p.x, p.y);
}

bool OnContextMenu(WPARAM, LPARAM l)
{
    UxDesktop* root = UxDesktop::GetInstance();
    const plat::POINT p = FromScreen(l);
    return root && root->RootContextMenu(p.x, p.y);
}

bool OnTimer(WPARAM w, LPARAM)
{
    if (UxTimerManager* timers = UxTimerManager::GetInstance())
        timers->Dispatch(static_cast<uint32_t>(w));
    return true;
}

bool OnGetSelection(WPARAM w, LPARAM l)
{
    UxDesktop* root = UxDesktop::GetInstance();
    return root && root->RootGetSelection(w, l);
}

bool OnSetSelection(WPARAM w, LPARAM l)
{
    UxDesktop* root = UxDesktop::GetInstance();
    return root && root->RootSetSelection(w, l);
}

bool OnReplaceSelection(WPARAM, LPARAM l)
{
    UxDesktop* root = UxDesktop::GetInstance();
    return root && root->RootReplaceSelection(l, l);
}

const UxDeviceMessageHandler::Entry kTable[] = {
    { plat::WM_SIZE, OnSize },
    { plat::WM_ERASEBKGND, Swallow },
    { plat::WM_PAINT, UxDeviceMessageHandler::OnPaint },
    { plat::WM_LBUTTONDOWN, OnLButtonDown },
    { plat::WM_MOUSEMOVE, OnMouseMove },
    { plat::WM_LBUTTONUP, OnLButtonUp },
    { plat::WM_KEYDOWN, OnKeyDown },
    { plat::WM_KEYUP, OnKeyUp },
    { plat::WM_IME_STARTCOMPOSITION, Swallow },
    { plat::WM_IME_ENDCOMPOSITION, Swallow },
    { plat::WM_IME_COMPOSITION, OnImeComposition },
    { plat::WM_CHAR, OnChar },
    { plat::WM_USER, OnTimer },
    { plat::EM_GETSEL, OnGetSelection },
    { plat::EM_SETSEL, OnSetSelection },
    { plat::EM_REPLACESEL, OnReplaceSelection },
    // The desktop's own input.
    { plat::WM_MOUSEWHEEL, OnMouseWheel },
    { plat::WM_CONTEXTMENU, OnContextMenu },
};

} // namespace

const UxDeviceMessageHandler::Entry* UxDeviceMessageHandler::GetTable()
{
    return kTable;
}

size_t UxDeviceMessageHandler::GetTableSize()
{
    return std::size(kTable);
}

bool UxDeviceMessageHandler::Handle(plat::UINT message, WPARAM wParam, LPARAM lParam)
{
    for (const Entry& entry : kTable) {
        if (entry.message == message)
            return entry.handler(wParam, lParam);
    }
    return false;
}

bool UxDeviceMessageHandler::OnPaint(WPARAM, LPARAM)
{
    if (UxClock* clock = UxClock::GetInstance())
        clock->UpdateFrameRate();
    if (UxDeviceContextPool* pool = UxDeviceContextPool::GetInstance())
        pool->ReleaseAllInUse();
    if (UxFillRateProfiler* profiler = UxFillRateProfiler::GetInstance())
        profiler->Reset();
    UxDeviceWindow* device = UxDeviceWindow::GetInstance();
    UxDesktop* root = UxDesktop::GetInstance();
    if (!device || !root)
        return false;
    UxPaintDC dc(*device);
    const bool painted = root->PaintTree(device->GetRepaintRect())
        && root->GetScreenBuffer().Present(dc, root->GetWidth(), root->GetHeight());
    if (UxDeviceImagePool* images = UxDeviceImagePool::GetInstance())
        images->DropUnused();
    if (!painted)
        return false;
    if (UxSipHandler* sip = UxSipHandler::GetInstance())
        sip->ApplyPendingHide();
    return true;
}
