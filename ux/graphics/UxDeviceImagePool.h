#pragma once

#include "ux/core/UxSingleton.h"
#include "ux/graphics/UxDeviceImage.h"
#include "ux/graphics/UxDeviceImageInfo.h"
#include "ux/graphics/UxResourcePool.h"

// Decoded pictures shared by every image item, by file (or stream), type and mode.
class UxDeviceImagePool : public UxSingleton<UxDeviceImagePool>,
                          public UxResourcePool<UxDeviceImageInfo, UxDeviceImage> {
public:
    ~UxDeviceImagePool() override { UnloadAll(); }

protected:
    bool Create(const UxDeviceImageInfo& info, UxDeviceImage& image) override { return image.Load(info); }
    void Destroy(UxDeviceImage& image) override { image.Release(); }
};
