#include "platform/display/SdlDisplay.h"
#include "platform/event/Thread.h"
#include "tests/support/DesktopFixture.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <dlfcn.h>
#include <memory>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

// Last: Xlib's macros would clash with the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#undef None
#undef Bool
#undef Status

extern char** environ;

// The session-bus library keeps a buffer for the life of the process; not ours.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libdbus-1.so\n";
}

namespace {

// An X server of our own on a display number it picks itself, for the length of one test.
class Xvfb {
public:
    bool Start()
    {
        int ready[2];
        if (pipe(ready) != 0)
            return false;
        std::string fd = std::to_string(ready[1]);
        const char* argv[]
            = { "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "800x800x24", "-nolisten", "tcp", nullptr };
        bool started
            = posix_spawn(&pid, "/usr/bin/Xvfb", nullptr, nullptr, const_cast<char**>(argv), environ) == 0;
        close(ready[1]);
        char number[16] = {}; // written once the server accepts connections
        pollfd wait { ready[0], POLLIN, 0 };
        started = started && poll(&wait, 1, 5000) == 1 && read(ready[0], number, sizeof number - 1) > 0;
        close(ready[0]);
        display = ":" + std::to_string(std::atoi(number));
        return started;
    }
    ~Xvfb()
    {
        if (pid > 0) {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
        }
    }

    pid_t pid = 0;
    std::string display;
};

// Reads the screen through a connection of its own, as a screenshot tool would.
class Screenshot {
public:
    explicit Screenshot(const std::string& display)
        : m_lib(dlopen("libX11.so.6", RTLD_NOW))
        , m_open(Symbol<decltype(&XOpenDisplay)>("XOpenDisplay"))
        , m_close(Symbol<decltype(&XCloseDisplay)>("XCloseDisplay"))
        , m_get(Symbol<decltype(&XGetImage)>("XGetImage"))
        , m_display(m_open && m_close && m_get ? m_open(display.c_str()) : nullptr)
    {
    }
    ~Screenshot()
    {
        if (m_display)
            m_close(m_display);
        if (m_lib)
            dlclose(m_lib);
    }
    bool IsOpen() const { return m_display != nullptr; }

    // 0xRRGGBB of each point, read in one image of the given area, which is also saved.
    std::vector<uint32_t> Take(int x, int y, int w, int h, const std::vector<std::pair<int, int>>& points,
        const std::string& pngPath)
    {
        std::vector<uint32_t> out;
        XImage* image = m_get(m_display, DefaultRootWindow(m_display), x, y, w, h, AllPlanes, ZPixmap);
        if (!image)
            return out;
        for (auto [px, py] : points)
            out.push_back(static_cast<uint32_t>(XGetPixel(image, px, py)) & 0xFFFFFF);
        if (plat::Bitmap* picture = plat::Bitmap::Create(w, h, false)) {
            for (int row = 0; row < h; ++row)
                for (int col = 0; col < w; ++col)
                    picture->Row(row)[col] = 0xFF000000u | static_cast<uint32_t>(XGetPixel(image, col, row));
            plat::WritePng(picture, pngPath);
            plat::DeleteObject(picture);
        }
        XDestroyImage(image);
        return out;
    }

private:
    template <class F> F Symbol(const char* name)
    {
        return m_lib ? reinterpret_cast<F>(dlsym(m_lib, name)) : nullptr;
    }

    void* m_lib;
    decltype(&XOpenDisplay) m_open;
    decltype(&XCloseDisplay) m_close;
    decltype(&XGetImage) m_get;
    Display* m_display;
};

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
    if (access("/usr/bin/Xvfb", X_OK) != 0)
        GTEST_SKIP() << "Xvfb is not installed (scripts/setup installs it): the real window is not tried";
    Xvfb server;
    ASSERT_TRUE(server.Start()) << "Xvfb did not start";
    setenv("DISPLAY", server.display.c_str(), 1);
    setenv("QUORIX_DISPLAY", "sdl", 1);
    setenv("QUORIX_SCALE", "1", 1);

    {
        DesktopFixture app;
        ASSERT_TRUE(app.created);
        auto* display = dynamic_cast<plat::SdlDisplay*>(plat::GetDisplay());
        ASSERT_NE(display, nullptr);
        ColourPanel left("left", nullptr, 0x0000FF); // red (COLORREF is 0xBBGGRR)
        ColourPanel right("right", nullptr, 0xFF0000); // blue
        left.SetOwnSurface(true);
        right.SetOwnSurface(true);
        left.SetRect({ 0, 0, 240, 640 });
        right.SetRect({ 240, 0, 480, 640 });
        app.desktop->AddChild(&left);
        app.desktop->AddChild(&right);
        app.desktop->Invalidate();

        Screenshot shot(server.display);
        ASSERT_TRUE(shot.IsOpen());
        std::string folder = std::getenv("XDG_DATA_HOME") ? std::getenv("XDG_DATA_HOME") : "/tmp";
        // The colours at the middle of each panel, once the left one is `want` (or after 3 s).
        auto look = [&](const char* file, uint32_t want) {
            std::vector<uint32_t> colours;
            for (int i = 0; i < 300; ++i, plat::Sleep(10)) {
                app.Flush();
                int wx = 0, wy = 0;
                SDL_GetWindowPosition(SDL_GetWindowFromID(display->GetWindowId()), &wx, &wy);
                colours = shot.Take(wx, wy, 480, 640, { { 100, 300 }, { 400, 300 } }, folder + "/" + file);
                if (!colours.empty() && colours[0] == want)
                    break;
            }
            return colours;
        };
        ASSERT_EQ(look("sdl-before.png", 0xFF0000), (std::vector<uint32_t> { 0xFF0000, 0x0000FF }));

        PushButton(display->GetWindowId(), SDL_MOUSEBUTTONDOWN, 100, 300);
        PushButton(display->GetWindowId(), SDL_MOUSEBUTTONUP, 100, 300);
        app.Flush();
        UxPumpFor(150); // the click comes a tenth after the release
        EXPECT_EQ(look("sdl-after.png", 0x00FF00), (std::vector<uint32_t> { 0x00FF00, 0x0000FF }));
        app.desktop->RemoveChild(&left);
        app.desktop->RemoveChild(&right);
    }
    unsetenv("DISPLAY");
    setenv("QUORIX_DISPLAY", "headless", 1);
}

} // namespace
