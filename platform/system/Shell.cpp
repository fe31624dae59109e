#include "platform/system/Shell.h"

#include "platform/system/FileSystem.h"
#include "platform/system/Utf8.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <mutex>
#include <thread>

extern char** environ;

namespace plat {

namespace {

    std::mutex& HookMutex()
    {
        static std::mutex m;
        return m;
    }

    ShellOpenHook& Hook()
    {
        static ShellOpenHook hook;
        return hook;
    }

} // namespace

bool ShellOpen(const std::wstring& target)
{
    {
        std::lock_guard<std::mutex> lock(HookMutex());
        if (Hook())
            return Hook()(target);
    }
    if (target.empty())
        return false;
    std::string arg = target.find(L"://") != std::wstring::npos ? EncodeUtf8(target) : NativePath(target);
    char program[] = "xdg-open";
    char* argv[] = { program, arg.data(), nullptr };
    pid_t pid = 0;
    if (posix_spawnp(&pid, program, nullptr, nullptr, argv, environ) != 0)
        return false;
    // Reap the handler when it ends, without holding up the caller.
    std::thread([pid] {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) { }
    }).detach();
    return true;
}

void SetShellOpenHook(ShellOpenHook hook)
{
    std::lock_guard<std::mutex> lock(HookMutex());
    Hook() = std::move(hook);
}

} // namespace plat
