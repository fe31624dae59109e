// quorix: the messenger. One window per user; a second start brings the first to the
// front and ends. SIGINT and SIGTERM end the message loop, so the program shuts down
// as when its window is closed.

#include "app/shell/MessengerApp.h"
#include "platform/event/MessageQueue.h"
#include "platform/system/SessionBus.h"
#include "platform/system/Signals.h"
#include "platform/system/SystemMetrics.h"
#include "ux/core/UxStartup.h"

int main()
{
    // Before any thread: it may set a variable of the environment.
    plat::KeepSessionBusUnstarted();
    plat::CatchTerminationSignals([] { plat::PostQuitMessage(0); });
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
