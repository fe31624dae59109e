// quorix: the messenger. One window per user; a second start brings the first to the
// front and ends. SIGINT and SIGTERM end the message loop, so the program shuts down
// as when its window is closed.

#include "app/shell/MessengerApp.h"
#include "platform/event/MessageQueue.h"
#include "platform/event/Thread.h"
#include "platform/system/SystemMetrics.h"
#include "ux/core/UxStartup.h"

#include <csignal>
#include <pthread.h>
#include <thread>

namespace {

// Signals reach one thread that ends the loop; every thread started after this
// inherits the blocked mask.
void CloseOnSignals()
{
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    std::thread([signals] {
        plat::SetCurrentThreadName("signals");
        int signal = 0;
        while (sigwait(&signals, &signal) == 0)
            plat::PostQuitMessage(0);
    }).detach();
}

} // namespace

int main()
{
    CloseOnSignals();
    if (!UxInitialize())
        return 0;
    auto* app = new (std::nothrow) MessengerApp;
    const plat::RECT screen { 0, 0, plat::GetSystemMetrics(plat::SM_CXSCREEN),
        plat::GetSystemMetrics(plat::SM_CYSCREEN) };
    // A second start, a missing skin or a screen that cannot be built end here.
    if (!app || !app->Create(L"Quorix", screen)) {
        delete app;
        UxFinalize();
        return 0;
    }
    app->Run();
    // The screens use the toolkit's pools: they go first.
    delete app;
    UxFinalize();
    return 0;
}
