#pragma once

namespace plat {

// Indexes of GetSystemMetrics, with their Windows numbers.
constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
constexpr int SM_CYCAPTION = 4;
constexpr int SM_CYDLGFRAME = 8;

// The phone the program was designed for: a 480 x 640 screen. On the desktop there is
// no caption bar or dialog frame above the program's window, so both heights are 0.
struct DeviceProfile {
    int screenWidth = 480;
    int screenHeight = 640;
    int captionHeight = 0;
    int frameHeight = 0;
};

DeviceProfile GetDeviceProfile();
void SetDeviceProfile(const DeviceProfile& profile);

// The metric of the device profile; 0 for an index it does not know.
int GetSystemMetrics(int index);

} // namespace plat
