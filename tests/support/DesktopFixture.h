#pragma once

#include "platform/display/HeadlessDisplay.h"
#include "platform/event/MessageQueue.h"
#include "platform/system/InputPanel.h"
#include "tests/support/UxPump.h"
#include "ux/core/UxDesktop.h"
#include "ux/core/UxDeviceMessageHandler.h"
#include "ux/core/UxDeviceWindow.h"
#include "ux/core/UxPanel.h"
#include "ux/core/UxPopupControl.h"
#include "ux/core/UxPopupInstance.h"
#include "ux/core/UxSipHandler.h"
#include "ux/graphics/UxDeviceContextPool.h"
#include "ux/graphics/UxFillRateProfiler.h"
#include "ux/graphics/UxPopupBackColor.h"

#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

// A window that records what reaches it and can be told to refuse events.
class RecordingWindow : public UxPanel {
public:
    explicit RecordingWindow(std::string name, std::vector<std::string>* log, plat::COLORREF colour = 0)
        : name(std::move(name))
        , log(log)
        , colour(colour)
    {
        SetOwnSurface(false);
    }

    bool OnPaint(UxDeviceContext* surface, const plat::RECT& rect) override
    {
        Note("paint");
        surface->FillRect(colour, rect);
        return paintResult;
    }
    bool OnPointerDown(int32_t x, int32_t y) override
    {
        return Note("down") && UxWindow::OnPointerDown(x, y) && accept;
    }
    bool OnPointerMove(int32_t x, int32_t y) override
    {
        return Note("move") && UxWindow::OnPointerMove(x, y);
    }
    bool OnPointerUp(int32_t x, int32_t y) override { return Note("up") && UxWindow::OnPointerUp(x, y); }
    bool OnPointerHold(int32_t, int32_t) override { return Note("hold"); }
    bool OnPointerClick(int32_t, int32_t) override { return Note("click"); }
    bool OnCaptureChanged(bool on) override { return Note(on ? "capture+" : "capture-"); }
    bool OnFocusChanged(bool on) override { return Note(on ? "focus+" : "focus-"); }
    bool OnVisibleChanged(bool on) override { return Note(on ? "visible+" : "visible-"); }
    bool OnRectChanged(const plat::RECT&) override { return Note("rect"); }
    bool OnSize(int32_t w, int32_t h) override
    {
        return Note("size " + std::to_string(w) + "x" + std::to_string(h)) && sizeResult;
    }
    bool OnImeComposition(uintptr_t c, intptr_t mode) override
    {
        return Note("ime " + std::to_string(c) + " " + std::to_string(mode));
    }
    bool OnChar(uintptr_t c, intptr_t) override { return Note("char " + std::to_string(c)); }
    bool OnGesture(UxWindow*, int32_t code) override { return Note("gesture " + std::to_string(code)); }
    bool TakesKeys() const override { return takesKeys; }
    bool OnSipShown(const plat::RECT&) override { return Note("sip+"); }
    bool OnSipHidden() override { return Note("sip-"); }
    bool OnChildEvent(UxWindow* child, int32_t code) override
    {
        auto* c = dynamic_cast<RecordingWindow*>(child);
        return Note("child " + (c ? c->name : std::string("?")) + " " + std::to_string(code));
    }

    bool Note(const std::string& what)
    {
        if (log)
            log->push_back(name + ":" + what);
        return true;
    }

    std::string name;
    std::vector<std::string>* log;
    plat::COLORREF colour;
    bool accept = true;
    bool takesKeys = false;
    bool paintResult = true;
    bool sizeResult = true;
};

// A popup that closes the way the real one does: it leaves the tree and deletes itself.
class TestPopup : public RecordingWindow, public UxPopupControl {
public:
    using RecordingWindow::RecordingWindow;

    bool GetCloseOnOutsideTap() const override { return closeOnOutsideTap; }
    bool Close(int32_t result) override
    {
        Note("close " + std::to_string(result));
        UxPopupInstance::GetInstance()->SetPopup(nullptr);
        if (GetParent())
            GetParent()->RemoveChild(this);
        delete this;
        return true;
    }
    bool OnPointerUp(int32_t x, int32_t y) override
    {
        RecordingWindow::OnPointerUp(x, y);
        if (closeOnUp)
            return Close(2);
        return true;
    }

    bool closeOnOutsideTap = true;
    bool closeOnUp = false;
};

// The toolkit's singletons on a manual clock and a headless display, with a desktop of
// 480 x 640 whose window name is unique to the test.
class DesktopFixture : public UxTimeFixture {
public:
    DesktopFixture()
    {
        // Tests draw into the in-memory frame unless the test itself chose a display.
        setenv("QUORIX_DISPLAY", "headless", 0);
        pool = new UxDeviceContextPool;
        profiler = new UxFillRateProfiler;
        backColor = new UxPopupBackColor;
        backColor->Create();
        popups = new UxPopupInstance;
        device = new UxDeviceWindow;
        handler = new UxDeviceMessageHandler;
        plat::ResetInputPanel();
        sip = new UxSipHandler;
        desktop = new UxDesktop;
        static int counter = 0;
        name = L"QuorixTest" + std::to_wstring(getpid()) + L"_" + std::to_wstring(++counter);
        created = desktop->Create(name, plat::RECT { 0, 0, 480, 640 });
        plat::DispatchPending();
    }
    ~DesktopFixture()
    {
        while (UxWindow* child = desktop->GetFirstChild())
            desktop->RemoveChild(child);
        delete desktop;
        delete sip;
        delete handler;
        delete device;
        delete popups;
        delete backColor;
        delete profiler;
        pool->UnloadAll();
        delete pool;
        plat::DispatchPending();
    }

    plat::HeadlessDisplay* Display() { return static_cast<plat::HeadlessDisplay*>(plat::GetDisplay()); }
    plat::DisplayInput& Input() { return Display()->GetInput(); }
    // Delivers what is queued, paints included.
    void Flush() { plat::DispatchPending(); }
    plat::COLORREF FramePixel(int x, int y) const
    {
        return plat::GetDisplay()->GetFrame()->Pixel(x, y) & 0xFFFFFF;
    }
    void Tap(int x, int y)
    {
        Input().PointerDown(x, y);
        Input().PointerUp(x, y);
        Flush();
    }

    UxDeviceContextPool* pool;
    UxFillRateProfiler* profiler;
    UxPopupBackColor* backColor;
    UxPopupInstance* popups;
    UxDeviceWindow* device;
    UxDeviceMessageHandler* handler;
    UxSipHandler* sip;
    UxDesktop* desktop;
    std::wstring name;
    bool created = false;
};

// A COLORREF as the frame stores it (0x00RRGGBB).
inline plat::COLORREF FrameColour(plat::COLORREF c)
{
    return (plat::GetRValue(c) << 16) | (plat::GetGValue(c) << 8) | plat::GetBValue(c);
}
