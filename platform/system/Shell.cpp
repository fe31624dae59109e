#include "platform/system/Shell.h"

#include "platform/event/MessageQueue.h"
#include "platform/event/Window.h"
#include "platform/system/FileSystem.h"
#include "platform/system/HookSlot.h"
#include "platform/system/SessionBus.h"
#include "platform/system/Signals.h"
#include "platform/system/Utf8.h"

#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <memory>
#include <system_error>
#include <thread>
#include <vector>

namespace plat {

namespace {

    constexpr const wchar_t* kAnswerClass = L"ShellOpenAnswer";
    constexpr UINT kAnswerMessage = WM_USER + 1;

    HookSlot<ShellOpenHook> s_hook;
    std::atomic<int> s_patience { 3000 };

    // Whether the child ends (and can be reaped) within milliseconds; it is not reaped.
    bool EndsWithin(pid_t pid, int milliseconds)
    {
        const int fd = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
        if (fd >= 0) {
            pollfd ended { fd, POLLIN, 0 };
            int ready = 0;
            while ((ready = poll(&ended, 1, milliseconds)) < 0 && errno == EINTR) { }
            close(fd);
            return ready != 0;
        }
        // A kernel without pidfd: look now and then.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        siginfo_t info {};
        for (;;) {
            info.si_pid = 0;
            if (waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) != 0 || info.si_pid == pid)
                return true;
            if (std::chrono::steady_clock::now() >= deadline)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }

    // One window a request: it holds the caller's done until the answer is posted to it,
    // then calls it and goes.
    LRESULT AnswerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* done = reinterpret_cast<ShellOpenDone*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message == kAnswerMessage) {
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            DestroyWindow(window);
            std::unique_ptr<ShellOpenDone> own(done);
            if (own && *own)
                (*own)(wParam != 0);
            return 0;
        }
        if (message == WM_DESTROY)
            delete done;
        return DefWindowProcW(window, message, wParam, lParam);
    }

    // Where the answer goes; null when nobody waits for it.
    HWND AnswerWindow(ShellOpenDone done)
    {
        if (!done)
            return nullptr;
        auto held = std::make_unique<ShellOpenDone>(std::move(done));
        HWND window = CreateMessageWindow(kAnswerClass, &AnswerProc, reinterpret_cast<intptr_t>(held.get()));
        if (window)
            held.release();
        return window;
    }

    void Answer(HWND window, bool opened)
    {
        if (window)
            PostMessageW(window, kAnswerMessage, opened ? 1 : 0, 0);
    }

} // namespace

void ShellOpen(const std::wstring& target, ShellOpenDone done)
{
    HWND window = AnswerWindow(std::move(done));
    if (const ShellOpenHook hook = s_hook.Get()) {
        Answer(window, hook(target));
        return;
    }
    if (target.empty()) {
        Answer(window, false);
        return;
    }
    std::string arg = target.find(L"://") != std::wstring::npos ? EncodeUtf8(target) : NativePath(target);
    char program[] = "xdg-open";
    char* argv[] = { program, arg.data(), nullptr };
    pid_t pid = 0;
    const CleanSpawnAttributes attributes;
    std::vector<char*> environment = EnvironmentForPrograms();
    if (posix_spawnp(&pid, program, nullptr, attributes.Get(), argv, environment.data()) != 0) {
        Answer(window, false);
        return;
    }
    // Waited for here, so the caller's thread never is.
    const int patience = s_patience.load();
    const auto await = [pid, window, patience] {
        int status = 0;
        if (!EndsWithin(pid, patience)) {
            // Still running: it has handed the target on and waits for what it started.
            Answer(window, true);
            while (waitpid(pid, &status, 0) < 0 && errno == EINTR) { }
            return;
        }
        pid_t ended = 0;
        while ((ended = waitpid(pid, &status, 0)) < 0 && errno == EINTR) { }
        Answer(window, ended == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0);
    };
    try {
        std::thread(await).detach();
    } catch (const std::system_error&) {
        // No thread to be had: the handler is waited for here, once.
        await();
    }
}

void SetShellOpenHook(ShellOpenHook hook)
{
    s_hook.Set(std::move(hook));
}

void SetShellOpenPatience(int milliseconds)
{
    s_patience = milliseconds < 0 ? 0 : milliseconds;
}

} // namespace plat
