#pragma once

#include "tests/support/DesktopFixture.h"
#include "ux/widgets/UxScrollWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Content of 10-pixel bands whose colour tells the band, so a pixel on screen says which
// content line it shows.
inline plat::COLORREF BandColour(int32_t contentY)
{
    int32_t band = contentY / 10;
    return plat::COLORREF(0x101010 * (1 + band % 12));
}

// A scroll window that paints the bands and records its hooks.
class BandWindow : public UxScrollWindow {
public:
    bool PaintContent(UxDeviceContext* surface, const plat::RECT& dest, const plat::RECT& content) override
    {
        ++contentPaints;
        paintedArea += int64_t(dest.right - dest.left) * (dest.bottom - dest.top);
        for (int32_t y = content.top; y < content.bottom;) {
            int32_t next = std::min(content.bottom, (y / 10 + 1) * 10);
            int32_t top = dest.top + (y - content.top);
            surface->FillRect(y / 10 == markedBand ? kMarked : BandColour(y), { dest.left, top, dest.right, top + (next - y) });
            y = next;
        }
        return true;
    }
    void OnDragStart(UxScrollAxis*) override { hooks.push_back("drag"); }
    void OnScrollStart(UxScrollAxis*) override { hooks.push_back("scroll"); }
    void OnScrollStop(UxScrollAxis*) override { hooks.push_back("stop"); }
    void OnSettleStart(UxScrollAxis*) override { hooks.push_back("settle"); }
    void OnSettleStop(UxScrollAxis*) override { hooks.push_back("settled"); }

    std::vector<std::string> hooks;
    int contentPaints = 0;
    int64_t paintedArea = 0; // pixels of content painted
    // A band painted in kMarked instead, as content that changed.
    int32_t markedBand = -1;
    static constexpr plat::COLORREF kMarked = 0x0000FF;
};

// A full-screen window on the desktop, driven by injected pointer events on the manual clock.
template <typename Window> class ScrollFixture : public ::testing::Test, public DesktopFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(created);
        window.SetRect({ 0, 0, 480, 640 });
        desktop->AddChild(&window);
        Flush();
    }
    void TearDown() override { desktop->RemoveChild(&window); }

    // Each event after ms of manual time, as a finger would move.
    void Down(int x, int y, int ms = 0)
    {
        UxPumpFor(ms);
        Input().PointerDown(x, y);
        Flush();
    }
    void Move(int x, int y, int ms = 10)
    {
        UxPumpFor(ms);
        Input().PointerMove(x, y);
        Flush();
    }
    void Up(int x, int y, int ms = 10)
    {
        UxPumpFor(ms);
        Input().PointerUp(x, y);
        Flush();
    }
    int32_t Offset() const { return window.GetYAxis().GetOffset(); }

    Window window;
};
