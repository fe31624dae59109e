#pragma once

#include "platform/display/Display.h"
#include "tests/support/UxPump.h"
#include "ux/core/UxDesktop.h"
#include "ux/core/UxPanel.h"
#include "ux/core/UxStartup.h"
#include "ux/graphics/UxDeviceContext.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

// A page filled with four shades of a colour, one per quadrant, that logs its hooks.
class QuadPage : public UxPanel {
public:
    QuadPage(std::string name, std::vector<std::string>* log, plat::COLORREF base)
        : m_name(std::move(name))
        , m_log(log)
        , m_colours { base, base + 0x30, base + 0x3000, base + 0x3030 }
    {
    }

    bool OnPaint(UxDeviceContext* surface, const plat::RECT&) override
    {
        if (failPaint)
            return false;
        plat::POINT o = GetSurfaceOffset();
        int32_t w = GetWidth(), h = GetHeight();
        for (int q = 0; q < 4; ++q) {
            int32_t left = o.x + (q % 2) * w / 2, top = o.y + (q / 2) * h / 2;
            surface->FillRect(m_colours[q], { left, top, left + w / 2, top + h / 2 });
        }
        return true;
    }
    bool OnPointerDown(int32_t x, int32_t y) override
    {
        m_log->push_back(m_name + ":Down " + std::to_string(x) + "," + std::to_string(y));
        return UxPanel::OnPointerDown(x, y);
    }
    bool OnPointerClick(int32_t x, int32_t y) override
    {
        m_log->push_back(m_name + ":Click");
        return UxPanel::OnPointerClick(x, y);
    }
    void OnWillShow() override { m_log->push_back(m_name + ":WillShow"); }
    void OnShown() override { m_log->push_back(m_name + ":Shown"); }
    void OnWillHide() override { m_log->push_back(m_name + ":WillHide"); }
    void OnHidden() override { m_log->push_back(m_name + ":Hidden"); }

    plat::COLORREF Colour(int quadrant) const { return m_colours[quadrant]; }
    bool failPaint = false;

private:
    std::string m_name;
    std::vector<std::string>* m_log;
    plat::COLORREF m_colours[4];
};

// The whole toolkit on the headless display with a manual clock: a 480 x 640 desktop.
class ToolkitFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Into the in-memory frame unless the test itself chose a display, also where
        // QUORIX_DISPLAY is not set (outside ctest).
        setenv("QUORIX_DISPLAY", "headless", 0);
        ASSERT_TRUE(UxInitialize());
        desktop = new UxDesktop;
        std::wstring name = L"QuorixTest-" + std::to_wstring(getpid());
        ASSERT_TRUE(desktop->Create(name, { 0, 0, 480, 640 }));
        UxPumpFor(0);
    }
    void TearDown() override
    {
        for (UxWindow* w : owned) {
            desktop->RemoveChild(w);
            delete w;
        }
        delete desktop;
        UxFinalize();
    }

    // A page (below a 40-pixel status bar) added hidden to the desktop.
    QuadPage* AddPage(const std::string& name, plat::COLORREF base, plat::RECT rect = { 0, 40, 480, 640 })
    {
        auto* page = new QuadPage(name, &log, base);
        page->SetRect(rect);
        page->SetVisible(false);
        desktop->AddChild(page);
        owned.push_back(page);
        return page;
    }

    // The frame's colour at a screen point.
    static plat::COLORREF At(int x, int y)
    {
        uint32_t p = plat::GetDisplay()->GetFrame()->Pixel(x, y);
        return plat::RGB(uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p));
    }

    // Repaints everything now, without moving the clock.
    void Repaint()
    {
        desktop->Invalidate(plat::RECT {}, true);
        UxPumpFor(0);
    }

    plat::ManualClock manual { 5000 };
    UxDesktop* desktop = nullptr;
    std::vector<UxWindow*> owned;
    std::vector<std::string> log;
};
