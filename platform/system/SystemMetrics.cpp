#include "platform/system/SystemMetrics.h"

#include <mutex>

namespace plat {

namespace {

    std::mutex& ProfileMutex()
    {
        static std::mutex m;
        return m;
    }

    DeviceProfile& Profile()
    {
        static DeviceProfile profile;
        return profile;
    }

} // namespace

DeviceProfile GetDeviceProfile()
{
    std::lock_guard<std::mutex> lock(ProfileMutex());
    return Profile();
}

void SetDeviceProfile(const DeviceProfile& profile)
{
    std::lock_guard<std::mutex> lock(ProfileMutex());
    Profile() = profile;
}

int GetSystemMetrics(int index)
{
    DeviceProfile p = GetDeviceProfile();
    switch (index) {
    case SM_CXSCREEN:
        return p.screenWidth;
    case SM_CYSCREEN:
        return p.screenHeight;
    case SM_CYCAPTION:
        return p.captionHeight;
    case SM_CYDLGFRAME:
        return p.frameHeight;
    default:
        return 0;
    }
}

} // namespace plat
