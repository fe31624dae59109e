#pragma once

#include "ux/core/UxSingleton.h"
#include "ux/graphics/UxDeviceImage.h"
#include "ux/graphics/UxDeviceImageInfo.h"
#include "ux/graphics/UxResourcePool.h"

#include <cstdint>

// Decoded pictures shared by every image item, by file (or stream), type and mode. A
// file is decoded when it is first drawn, and a screen that is no longer shown lets go
// of its pictures: after the first paint that follows a screen being hidden, every file
// picture nobody drew since is dropped, to be decoded again when next drawn.
class UxDeviceImagePool : public UxSingleton<UxDeviceImagePool>,
                          public UxResourcePool<UxDeviceImageInfo, UxDeviceImage> {
public:
    ~UxDeviceImagePool() override { UnloadAll(); }

    // The picture to draw, decoded first when needed, and counted as drawn now; null for
    // a bad handle or a picture that cannot be read.
    UxDeviceImage* Use(int32_t handle);
    // A screen was hidden: what is drawn from now on counts as shown.
    void RequestDrop();
    // After a paint: drops the pictures not drawn since the last request, if one came.
    void DropUnused();

protected:
    bool Create(const UxDeviceImageInfo& info, UxDeviceImage& image) override { return image.Defer(info); }
    void Destroy(UxDeviceImage& image) override { image.Release(); }

private:
    uint32_t m_epoch = 1;
    bool m_dropRequested = false;
};
