#pragma once

#include "platform/gdi/GdiTypes.h"
#include "ux/graphics/UxDeviceBitmap.h"

#include <cstdint>

class UxImage;

// One frame of a device image: the bitmap made from a decoded frame, which it keeps for
// the frame's delay, and the colour of the frame's transparent palette entry.
class UxFrameBitmap {
public:
    UxFrameBitmap() = default;
    virtual ~UxFrameBitmap() = default;
    UxFrameBitmap(const UxFrameBitmap&) = delete;
    UxFrameBitmap& operator=(const UxFrameBitmap&) = delete;

    // Makes the bitmap from the frame by a UxDeviceImageInfo::BitmapMode. The frame stays
    // the caller's.
    bool Convert(int32_t mode, UxImage* frame);

    UxImage* GetFrame() const { return m_frame; }
    UxDeviceBitmap& GetBitmap() { return m_bitmap; }
    bool HasColorKey() const { return m_hasColorKey; }
    plat::COLORREF GetColorKey() const { return m_colorKey; }

private:
    bool ConvertStraight(const UxImage& frame);
    bool ConvertPremultiplied(const UxImage& frame);
    bool ConvertAsStored(const UxImage& frame);
    bool ConvertCompatible(const UxImage& frame);

    UxImage* m_frame = nullptr;
    plat::COLORREF m_colorKey = 0;
    bool m_hasColorKey = false;
    UxDeviceBitmap m_bitmap;
};
