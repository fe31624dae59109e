#include "ux/core/UxStartup.h"

#include "ux/core/UxClock.h"
#include "ux/core/UxPathResolver.h"
#include "ux/core/UxPopupInstance.h"
#include "ux/core/UxTimerManager.h"

#include <iterator>
#include <new>

namespace {

// Owner variables: shut-down deletes through these, everyone else uses GetInstance().
UxPathResolver* g_pathResolver = nullptr;
UxPopupInstance* g_popupInstance = nullptr;
UxClock* g_clock = nullptr;
UxTimerManager* g_timerManager = nullptr;

// A failed allocation leaves the variable null; it does not fail the group.
template <typename T> void Create(T*& owner)
{
    owner = new (std::nothrow) T;
}

bool UxCreatePathResolver()
{
    Create(g_pathResolver);
    return true;
}

void UxDestroyPathResolver()
{
    SafeDelete(g_pathResolver);
}

// Device context, device image and font pools, the fill-rate profiler and the popup
// dimming colour; the only group that can fail, when the dimming surface cannot be built.
bool UxCreateResourcePools()
{
    return true;
}

// In reverse: the dimming colour and the profiler, then the font, image and device
// context pools, each emptied before it is deleted.
void UxDestroyResourcePools() { }

// Steps kept free between the pools and the core services.
bool UxReservedStartup()
{
    return true;
}

void UxReservedShutdown() { }

// The clock, the timer manager and the transition manager.
bool UxCreateCoreServices()
{
    Create(g_clock);
    Create(g_timerManager);
    return true;
}

void UxDestroyCoreServices()
{
    SafeDelete(g_timerManager);
    SafeDelete(g_clock);
}

// The navigation controller, then the popup record.
bool UxCreateNavigation()
{
    Create(g_popupInstance);
    return true;
}

void UxDestroyNavigation()
{
    SafeDelete(g_popupInstance);
}

// The device window and its message handler, connection helper, audio, input panel
// and vibrator.
bool UxCreateDevices()
{
    return true;
}

void UxDestroyDevices() { }

const UxStartupGroup kToolkitGroups[] = {
    { UxCreatePathResolver, UxDestroyPathResolver },
    { UxCreateResourcePools, UxDestroyResourcePools },
    { UxReservedStartup, UxReservedShutdown },
    { UxReservedStartup, UxReservedShutdown },
    { UxReservedStartup, UxReservedShutdown },
    { UxReservedStartup, UxReservedShutdown },
    { UxCreateCoreServices, UxDestroyCoreServices },
    { UxCreateNavigation, UxDestroyNavigation },
    { UxCreateDevices, UxDestroyDevices },
};

} // namespace

bool UxRunStartupGroups(const UxStartupGroup* groups, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        if (!groups[i].create())
            return false;
    return true;
}

void UxRunShutdownGroups(const UxStartupGroup* groups, size_t count)
{
    for (size_t i = count; i-- > 0;)
        groups[i].destroy();
}

bool UxInitialize()
{
    return UxRunStartupGroups(kToolkitGroups, std::size(kToolkitGroups));
}

void UxFinalize()
{
    UxRunShutdownGroups(kToolkitGroups, std::size(kToolkitGroups));
}
