#pragma once

// An X server of our own for one test, and a view of its screen as a screenshot tool
// would take it. Include this header last: Xlib's macros clash with other headers.

#include "platform/gdi/Gdi.h"

#include <cstdlib>
#include <dlfcn.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#undef None
#undef Bool
#undef Status

// Started on a display number it picks itself; stopped when the object goes.
class XvfbServer {
public:
    static bool IsInstalled() { return access("/usr/bin/Xvfb", X_OK) == 0; }

    bool Start(int width = 800, int height = 800)
    {
        int ready[2];
        if (pipe(ready) != 0)
            return false;
        const std::string fd = std::to_string(ready[1]);
        const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
        const char* argv[] = { "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-nolisten",
            "tcp", nullptr };
        extern char** environ;
        bool started
            = posix_spawn(&m_pid, "/usr/bin/Xvfb", nullptr, nullptr, const_cast<char**>(argv), environ) == 0;
        close(ready[1]);
        char number[16] = {}; // written once the server accepts connections
        pollfd wait { ready[0], POLLIN, 0 };
        started = started && poll(&wait, 1, 5000) == 1 && read(ready[0], number, sizeof number - 1) > 0;
        close(ready[0]);
        display = ":" + std::to_string(std::atoi(number));
        return started;
    }
    ~XvfbServer()
    {
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
    }

    std::string display;

private:
    pid_t m_pid = 0;
};

// The whole screen of an X display, read through a connection of its own.
class XScreenReader {
public:
    explicit XScreenReader(const std::string& display)
        : m_lib(dlopen("libX11.so.6", RTLD_NOW))
        , m_open(Symbol<decltype(&XOpenDisplay)>("XOpenDisplay"))
        , m_close(Symbol<decltype(&XCloseDisplay)>("XCloseDisplay"))
        , m_get(Symbol<decltype(&XGetImage)>("XGetImage"))
        , m_display(m_open && m_close && m_get ? m_open(display.c_str()) : nullptr)
    {
    }
    ~XScreenReader()
    {
        if (m_display)
            m_close(m_display);
        if (m_lib)
            dlclose(m_lib);
    }
    XScreenReader(const XScreenReader&) = delete;
    XScreenReader& operator=(const XScreenReader&) = delete;

    bool IsOpen() const { return m_display != nullptr; }

    // The screen as a bitmap (the caller deletes it with plat::DeleteObject); null when
    // it cannot be read.
    plat::Bitmap* Take(int width, int height)
    {
        XImage* image
            = m_get(m_display, DefaultRootWindow(m_display), 0, 0, width, height, AllPlanes, ZPixmap);
        if (!image)
            return nullptr;
        plat::Bitmap* picture = plat::Bitmap::Create(width, height, false);
        for (int row = 0; picture && row < height; ++row)
            for (int col = 0; col < width; ++col)
                picture->Row(row)[col] = 0xFF000000u | static_cast<uint32_t>(XGetPixel(image, col, row));
        XDestroyImage(image);
        return picture;
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
