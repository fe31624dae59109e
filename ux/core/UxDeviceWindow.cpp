#include "ux/core/UxDeviceWindow.h"

#include "platform/event/MessageQueue.h"
#include "platform/event/Window.h"
#include "platform/system/InputPanel.h"
#include "platform/system/SystemMetrics.h"
#include "ux/core/UxClock.h"
#include "ux/core/UxDesktop.h"
#include "ux/core/UxDeviceMessageHandler.h"
#include "ux/core/UxRect.h"
#include "ux/core/UxSipHandler.h"
#include "ux/core/UxTimerManager.h"

namespace {

constexpr uint32_t kClassStyle = 0x0001 | 0x0002; // CS_VREDRAW | CS_HREDRAW
constexpr uint32_t kWindowStyle = 0x80000000u | 0x00080000u; // WS_POPUP | WS_SYSMENU
constexpr uint32_t kActiveBit = 1; // the running window's handle | 1 asks it to the front

} // namespace

UxDeviceWindow::~UxDeviceWindow()
{
    if (UxTimerManager* timers = UxTimerManager::GetInstance(); timers && timers->GetWindow() == m_handle)
        timers->SetWindow(nullptr);
    plat::CloseDisplay();
    if (m_handle) {
        m_closing = true; // the loop is over: no WM_QUIT for a later one to find
        plat::DestroyWindow(m_handle);
        m_handle = nullptr;
    }
    if (!m_className.empty())
        plat::UnregisterClassW(m_className.c_str());
}

plat::HWND UxDeviceWindow::FindRunningWindow(const std::wstring& name)
{
    plat::HWND window = plat::FindWindowW(name.c_str(), nullptr);
    if (!window)
        return nullptr;
    wchar_t text[256];
    const std::wstring title(text, plat::GetWindowTextW(window, text, 256));
    if (title == name)
        return window;
    // "name (n)", n a count of digits.
    const size_t open = name.size() + 2;
    const bool counted = title.size() > open + 1 && title.compare(0, name.size(), name) == 0
        && title.compare(name.size(), 2, L" (") == 0 && title.back() == L')'
        && title.find_first_not_of(L"0123456789", open) == title.size() - 1;
    return counted ? window : nullptr;
}

bool UxDeviceWindow::FromScreen(plat::POINT& point) const
{
    plat::RECT window;
    if (!plat::GetWindowRect(m_handle, &window))
        return false;
    point.x -= window.left;
    point.y -= window.top;
    return true;
}

bool UxDeviceWindow::IsInBackground() const
{
    return plat::GetDisplay() && plat::GetForegroundWindow() != m_handle;
}

bool UxDeviceWindow::ActivateRunningInstance(const std::wstring& name)
{
    if (plat::HWND running = FindRunningWindow(name)) {
        plat::SetForegroundWindow(
            reinterpret_cast<plat::HWND>(reinterpret_cast<uintptr_t>(running) | kActiveBit));
        return true;
    }
    m_instance = std::make_unique<plat::SingleInstance>(name, [] { plat::RequestRaise(); });
    if (!m_instance->Acquire()) {
        m_instance.reset();
        return true;
    }
    return false;
}

bool UxDeviceWindow::Create(const std::wstring& name, const plat::RECT& rect)
{
    if (ActivateRunningInstance(name))
        return false;

    plat::WNDCLASSW wc;
    wc.style = kClassStyle;
    wc.lpfnWndProc = WindowProc;
    wc.lpszClassName = name.c_str();
    if (!plat::RegisterClassW(&wc))
        return false;
    m_className = name;

    int32_t x = plat::CW_USEDEFAULT, y = plat::CW_USEDEFAULT;
    int32_t width = plat::CW_USEDEFAULT, height = plat::CW_USEDEFAULT;
    if (rect.left || rect.top || rect.right || rect.bottom) {
        int32_t k = plat::GetSystemMetrics(plat::SM_CYCAPTION) + plat::GetSystemMetrics(plat::SM_CYDLGFRAME);
        x = rect.left;
        y = rect.top + k;
        width = rect.right - rect.left;
        height = rect.bottom - rect.top - k;
    }
    m_handle = plat::CreateWindowExW(
        0, name.c_str(), name.c_str(), kWindowStyle, x, y, width, height, nullptr, nullptr, nullptr, nullptr);
    if (!m_handle)
        return false;
    if (UxTimerManager* timers = UxTimerManager::GetInstance())
        timers->SetWindow(m_handle);
    if (!plat::OpenDisplay(m_handle, name)) {
        plat::DestroyWindow(m_handle);
        m_handle = nullptr;
        return false;
    }
    return true;
}

bool UxDeviceWindow::Show()
{
    plat::ShowWindow(m_handle, plat::SW_SHOWNORMAL);
    plat::UpdateWindow(m_handle);
    return true;
}

void UxDeviceWindow::Invalidate(const plat::RECT* rect, bool accumulate)
{
    plat::InvalidateRect(m_handle, rect, false);
    if (accumulate && rect)
        AddInvalidRect(*rect);
}

void UxDeviceWindow::AddInvalidRect(const plat::RECT& rect)
{
    UniteRect(m_invalid, rect);
}

plat::HDC UxDeviceWindow::BeginPaint(plat::RECT& paintRect)
{
    plat::HDC dc = plat::BeginPaint(m_handle, &m_paint);
    paintRect = m_paint.rcPaint;
    return dc;
}

void UxDeviceWindow::EndPaint()
{
    plat::EndPaint(m_handle, &m_paint);
    m_paint = {};
}

plat::LRESULT UxDeviceWindow::WindowProc(
    plat::HWND window, plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam)
{
    UxDeviceMessageHandler::Result = 0;
    if (UxDeviceMessageHandler* handler = UxDeviceMessageHandler::GetInstance();
        handler && handler->Handle(message, wParam, lParam))
        return UxDeviceMessageHandler::Result;

    switch (message) {
    case plat::WM_CLOSE:
        if (UxDesktop* desktop = UxDesktop::GetInstance(); desktop && !desktop->OnCloseRequest())
            return 0;
        return plat::DefWindowProcW(window, message, wParam, lParam);
    case plat::WM_DESTROY: {
        UxDeviceWindow* self = GetInstance();
        if (!self || !self->m_closing)
            plat::PostQuitMessage(0);
        return 0;
    }
    case plat::WM_ACTIVATE:
        if (UxDesktop* desktop = UxDesktop::GetInstance())
            desktop->OnActivate(wParam != plat::WA_INACTIVE);
        if (wParam == plat::WA_ACTIVE || wParam == plat::WA_CLICKACTIVE) {
            plat::SHFullScreen(window, plat::SHFS_HIDESIPBUTTON);
            if (plat::HWND button = plat::FindWindowW(L"MS_SIPBUTTON", nullptr))
                plat::ShowWindow(button, plat::SW_HIDE);
            // The panel also carries the desktop's typed text: it stays while the caret is
            // in a box, or the window would come forward taking no keys.
            UxSipHandler* sip = UxSipHandler::GetInstance();
            if (sip && !(UxWindow::FocusedWindow && UxWindow::FocusedWindow->IsTabStop()))
                sip->RequestHide();
        }
        return 0;
    default:
        return plat::DefWindowProcW(window, message, wParam, lParam);
    }
}

bool RunMessageLoop()
{
    plat::MSG msg {};
    while (plat::GetMessageW(&msg, nullptr, 0, 0) != 0) {
        if (UxClock* clock = UxClock::GetInstance())
            clock->Update();
        plat::TranslateMessage(&msg);
        plat::DispatchMessageW(&msg);
    }
    return true;
}
