#include "ux/core/UxStartup.h"

#include "ux/core/UxAudio.h"
#include "ux/core/UxClock.h"
#include "ux/core/UxConnectionHelper.h"
#include "ux/core/UxDeviceMessageHandler.h"
#include "ux/core/UxDeviceWindow.h"
#include "ux/core/UxNavigationController.h"
#include "ux/core/UxPathResolver.h"
#include "ux/core/UxPopupInstance.h"
#include "ux/core/UxSipHandler.h"
#include "ux/core/UxTimerManager.h"
#include "ux/core/UxTransitionManager.h"
#include "ux/core/UxVibrator.h"
#include "ux/graphics/UxDeviceContextPool.h"
#include "ux/graphics/UxDeviceImagePool.h"
#include "ux/graphics/UxFillRateProfiler.h"
#include "ux/graphics/UxFontPool.h"
#include "ux/graphics/UxPopupBackColor.h"

#include <iterator>
#include <new>

namespace {

// Owner variables: shut-down deletes through these, everyone else uses GetInstance().
UxPathResolver* g_pathResolver = nullptr;
UxPopupInstance* g_popupInstance = nullptr;
UxDeviceContextPool* g_deviceContextPool = nullptr;
UxDeviceImagePool* g_deviceImagePool = nullptr;
UxFontPool* g_fontPool = nullptr;
UxFillRateProfiler* g_fillRateProfiler = nullptr;
UxPopupBackColor* g_popupBackColor = nullptr;
UxDeviceWindow* g_deviceWindow = nullptr;
UxDeviceMessageHandler* g_deviceMessageHandler = nullptr;
UxSipHandler* g_sipHandler = nullptr;
UxClock* g_clock = nullptr;
UxTimerManager* g_timerManager = nullptr;
UxTransitionManager* g_transitionManager = nullptr;
UxNavigationController* g_navigationController = nullptr;
UxConnectionHelper* g_connectionHelper = nullptr;
UxAudio* g_audio = nullptr;
UxVibrator* g_vibrator = nullptr;

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
    Create(g_deviceContextPool);
    Create(g_deviceImagePool);
    Create(g_fontPool);
    Create(g_fillRateProfiler);
    Create(g_popupBackColor);
    return g_popupBackColor && g_popupBackColor->Create();
}

// In reverse: the dimming colour and the profiler, then the font, image and device
// context pools, each emptied before it is deleted.
void UxDestroyResourcePools()
{
    SafeDelete(g_popupBackColor);
    SafeDelete(g_fillRateProfiler);
    if (g_fontPool)
        g_fontPool->UnloadAll();
    SafeDelete(g_fontPool);
    if (g_deviceImagePool)
        g_deviceImagePool->UnloadAll();
    SafeDelete(g_deviceImagePool);
    if (g_deviceContextPool)
        g_deviceContextPool->UnloadAll();
    SafeDelete(g_deviceContextPool);
}

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
    Create(g_transitionManager);
    return true;
}

void UxDestroyCoreServices()
{
    SafeDelete(g_transitionManager);
    SafeDelete(g_timerManager);
    SafeDelete(g_clock);
}

// The navigation controller, then the popup record.
bool UxCreateNavigation()
{
    Create(g_navigationController);
    Create(g_popupInstance);
    return true;
}

void UxDestroyNavigation()
{
    SafeDelete(g_popupInstance);
    SafeDelete(g_navigationController);
}

// The device window and its message handler, connection helper, audio, input panel
// and vibrator.
bool UxCreateDevices()
{
    Create(g_deviceWindow);
    Create(g_deviceMessageHandler);
    Create(g_connectionHelper);
    Create(g_audio);
    Create(g_sipHandler);
    Create(g_vibrator);
    return true;
}

void UxDestroyDevices()
{
    SafeDelete(g_vibrator);
    SafeDelete(g_sipHandler);
    SafeDelete(g_audio);
    SafeDelete(g_connectionHelper);
    SafeDelete(g_deviceMessageHandler);
    SafeDelete(g_deviceWindow);
}

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
