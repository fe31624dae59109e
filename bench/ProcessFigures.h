#pragma once

// What the benchmarks read of a process from /proc, and the bare SDL window they set the
// program against.

#include <SDL.h>

#include <fstream>
#include <string>
#include <sys/types.h>

// The number after "name:" in a status file of /proc (a process's or a thread's): "VmRSS"
// and "RssAnon" in kilobytes, "Threads" and the context switches as counts; 0 when the
// file or the field cannot be read.
inline double StatusField(const std::string& path, const std::string& name)
{
    std::ifstream status(path);
    for (std::string line; std::getline(status, line);)
        if (line.rfind(name + ":", 0) == 0)
            return std::stod(line.substr(name.size() + 1));
    return 0;
}

// The same of a process's own status, this process's when pid is 0.
inline double ProcessStatus(const std::string& name, pid_t pid = 0)
{
    return StatusField("/proc/" + (pid ? std::to_string(pid) : std::string("self")) + "/status", name);
}

// The least a window drawn by its program takes: SDL's video, a 480 x 640 window with a
// software surface, filled white once and shown. Null, and SDL shut again, when it could
// not be made.
inline SDL_Window* OpenBareWindow(int x = SDL_WINDOWPOS_UNDEFINED, int y = SDL_WINDOWPOS_UNDEFINED)
{
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
        return nullptr;
    SDL_Window* window = SDL_CreateWindow("bare", x, y, 480, 640, 0);
    SDL_Surface* surface = window ? SDL_GetWindowSurface(window) : nullptr;
    if (!surface) {
        if (window)
            SDL_DestroyWindow(window);
        SDL_Quit();
        return nullptr;
    }
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 255, 255, 255));
    SDL_UpdateWindowSurface(window);
    return window;
}

inline void CloseBareWindow(SDL_Window* window)
{
    SDL_DestroyWindow(window);
    SDL_Quit();
}
