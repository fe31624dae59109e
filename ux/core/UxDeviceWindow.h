#pragma once

#include "platform/display/Display.h"
#include "platform/event/Message.h"
#include "platform/system/SingleInstance.h"
#include "ux/core/UxSingleton.h"
#include "ux/graphics/UxPaintDC.h"

#include <memory>
#include <string>

// The program's one top-level window: created once per user (a second start raises the
// first and fails), shown on the display, and the target of every repaint.
class UxDeviceWindow : public UxSingleton<UxDeviceWindow>, public UxPaintHost {
public:
    UxDeviceWindow() = default;
    ~UxDeviceWindow() override;

    // All four values 0 take the default position and size.
    bool Create(const std::wstring& name, const plat::RECT& rect);
    bool Show();
    // Screen-space rect (null: the whole window); accumulate also unites it into the
    // dirty rectangle.
    void Invalidate(const plat::RECT* rect, bool accumulate);
    void Invalidate(const plat::RECT& rect, bool accumulate) { Invalidate(&rect, accumulate); }
    void AddInvalidRect(const plat::RECT& rect);
    void ResetInvalidRect() override { m_invalid = {}; }
    const plat::RECT& GetInvalidRect() const { return m_invalid; }
    void SetRepaintRect(const plat::RECT& rect) override { m_repaint = rect; }
    const plat::RECT& GetRepaintRect() const { return m_repaint; }
    plat::HWND GetHandle() const { return m_handle; }
    // A point of the desktop moved into the window's space; false, the point unchanged,
    // when the window has no place on the desktop.
    bool FromScreen(plat::POINT& point) const;
    // Another window on the desktop has the focus (never without a display).
    bool IsInBackground() const;
    // The running program's window: class name, and title name alone or with the count
    // of unread items the title may carry ("Quorix (3)"); null when none.
    static plat::HWND FindRunningWindow(const std::wstring& name);

    plat::HDC BeginPaint(plat::RECT& paintRect) override;
    void EndPaint() override;

    static plat::LRESULT WindowProc(
        plat::HWND window, plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam);

private:
    // True when another copy already runs (it was asked to come to the front).
    bool ActivateRunningInstance(const std::wstring& name);

    plat::HWND m_handle = nullptr;
    plat::RECT m_repaint;
    plat::RECT m_invalid;
    plat::PAINTSTRUCT m_paint;
    std::wstring m_className;
    std::unique_ptr<plat::SingleInstance> m_instance;
    bool m_closing = false;
};

// Gets and dispatches messages until WM_QUIT; the clock takes each turn's time first.
bool RunMessageLoop();
