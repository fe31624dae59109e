#include "platform/display/SdlDisplay.h"
#include "platform/event/Thread.h"
#include "tests/support/DesktopFixture.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/TempFolder.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "tests/support/XvfbServer.h" // last: Xlib's macros would clash with the headers above

#include <SDL_syswm.h>

// The session-bus library keeps a buffer for the life of the process; not ours.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libdbus-1.so\n";
}

namespace {

// A coloured panel that turns green when clicked.
class ColourPanel : public RecordingWindow {
public:
    using RecordingWindow::RecordingWindow;
    bool OnPointerClick(int32_t x, int32_t y) override
    {
        RecordingWindow::OnPointerClick(x, y);
        colour = 0x00FF00;
        Invalidate();
        return true;
    }
};

void PushButton(uint32_t window, uint32_t type, int x, int y)
{
    SDL_Event event {};
    auto state = static_cast<uint8_t>(type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED);
    event.button = { type, 0, window, 0, SDL_BUTTON_LEFT, state, 0, 0, x, y };
    SDL_PushEvent(&event);
}

TEST(SdlDisplay, RealWindowShowsTwoPanelsAndReactsToAClick)
{
    if (!XvfbServer::IsInstalled())
        GTEST_SKIP() << "Xvfb is not installed (scripts/setup installs it): the real window is not tried";
    XvfbServer server;
    ASSERT_TRUE(server.Start()) << "Xvfb did not start";
    setenv("DISPLAY", server.display.c_str(), 1);
    setenv("QUORIX_DISPLAY", "sdl", 1);
    setenv("QUORIX_SCALE", "1", 1);
    TempFolder cache;
    ScopedEnv cacheHome("XDG_CACHE_HOME", cache.Native());
    ScopedEnv composeCache("XCOMPOSECACHE");
    composeCache.Unset();

    {
        DesktopFixture app;
        ASSERT_TRUE(app.created);
        auto* display = dynamic_cast<plat::SdlDisplay*>(plat::GetDisplay());
        ASSERT_NE(display, nullptr);
        // The compose table's cache folder was offered to the display's opening only:
        // programs started later do not inherit it.
        EXPECT_TRUE(std::filesystem::is_directory(cache.Native("quorix/compose")));
        EXPECT_EQ(std::getenv("XCOMPOSECACHE"), nullptr);
        ColourPanel left("left", nullptr, 0x0000FF); // red (COLORREF is 0xBBGGRR)
        ColourPanel right("right", nullptr, 0xFF0000); // blue
        left.SetOwnSurface(true);
        right.SetOwnSurface(true);
        left.SetRect({ 0, 0, 240, 640 });
        right.SetRect({ 240, 0, 480, 640 });
        app.desktop->AddChild(&left);
        app.desktop->AddChild(&right);
        app.desktop->Invalidate();

        XScreenReader shot(server.display);
        ASSERT_TRUE(shot.IsOpen());
        // The colours at the middle of each panel, once the left one is `want` (or after 3 s).
        auto look = [&](uint32_t want) {
            std::vector<uint32_t> colours;
            for (int i = 0; i < 300; ++i, plat::Sleep(10)) {
                app.Flush();
                int wx = 0, wy = 0;
                SDL_GetWindowPosition(SDL_GetWindowFromID(display->GetWindowId()), &wx, &wy);
                colours.clear();
                if (plat::Bitmap* picture = shot.Take(480, 640, wx, wy)) {
                    for (int x : { 100, 400 })
                        colours.push_back(picture->Row(300)[x] & 0xFFFFFF);
                    plat::DeleteObject(picture);
                }
                if (!colours.empty() && colours[0] == want)
                    break;
            }
            return colours;
        };
        ASSERT_EQ(look(0xFF0000), (std::vector<uint32_t> { 0xFF0000, 0x0000FF }));

        PushButton(display->GetWindowId(), SDL_MOUSEBUTTONDOWN, 100, 300);
        PushButton(display->GetWindowId(), SDL_MOUSEBUTTONUP, 100, 300);
        app.Flush();
        UxPumpFor(150); // the click comes a tenth after the release
        EXPECT_EQ(look(0x00FF00), (std::vector<uint32_t> { 0x00FF00, 0x0000FF }));

        // A repaint that changes no pixel is not sent to the window; one that does is, and
        // so is everything after the window was exposed.
        const uint64_t presents = display->GetPresentCount();
        right.Invalidate();
        app.Flush();
        EXPECT_EQ(display->GetPresentCount(), presents);
        right.colour = 0x00FFFF;
        right.Invalidate();
        app.Flush();
        EXPECT_EQ(display->GetPresentCount(), presents + 1);
        SDL_Event exposed {};
        exposed.window
            = { SDL_WINDOWEVENT, 0, display->GetWindowId(), SDL_WINDOWEVENT_EXPOSED, 0, 0, 0, 0, 0 };
        SDL_PushEvent(&exposed);
        app.Flush();
        EXPECT_EQ(display->GetPresentCount(), presents + 2);
        app.desktop->RemoveChild(&left);
        app.desktop->RemoveChild(&right);
    }
    unsetenv("DISPLAY");
    setenv("QUORIX_DISPLAY", "headless", 1);
}

// The window keeps the size its screens are laid out for, scaled: its size hints hold
// its least and greatest size at it, so a window manager offers no resizing.
TEST(SdlDisplay, TheWindowKeepsItsScaledSize)
{
    if (!XvfbServer::IsInstalled())
        GTEST_SKIP() << "Xvfb is not installed (scripts/setup installs it): the real window is not tried";
    XvfbServer server;
    ASSERT_TRUE(server.Start(1000, 1300)) << "Xvfb did not start";
    ScopedEnv display("DISPLAY", server.display);
    ScopedEnv backend("QUORIX_DISPLAY", "sdl");
    TempFolder cache;
    ScopedEnv cacheHome("XDG_CACHE_HOME", cache.Native());
    ::Display* x = XOpenDisplay(server.display.c_str());
    ASSERT_NE(x, nullptr);
    for (int scale : { 1, 2 }) {
        ScopedEnv scaled("QUORIX_SCALE", std::to_string(scale));
        DesktopFixture app;
        ASSERT_TRUE(app.created);
        auto* sdl = dynamic_cast<plat::SdlDisplay*>(plat::GetDisplay());
        ASSERT_NE(sdl, nullptr);
        app.Flush();
        SDL_SysWMinfo info;
        SDL_VERSION(&info.version);
        ASSERT_TRUE(SDL_GetWindowWMInfo(SDL_GetWindowFromID(sdl->GetWindowId()), &info));
        XSizeHints hints {};
        long supplied = 0;
        ASSERT_TRUE(XGetWMNormalHints(x, info.info.x11.window, &hints, &supplied));
        ASSERT_EQ(hints.flags & (PMinSize | PMaxSize), PMinSize | PMaxSize) << "scale " << scale;
        EXPECT_EQ(hints.min_width, 480 * scale);
        EXPECT_EQ(hints.max_width, 480 * scale);
        EXPECT_EQ(hints.min_height, 640 * scale);
        EXPECT_EQ(hints.max_height, 640 * scale);
    }
    XCloseDisplay(x);
}

} // namespace
