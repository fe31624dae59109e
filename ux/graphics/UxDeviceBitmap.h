#pragma once

#include "platform/gdi/Gdi.h"

#include <cstddef>
#include <cstdint>

struct UxBitmapFormat {
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t BitsPerPixel = 0;
};

// One bitmap: a DIB section whose memory the owner writes (premultiplied alpha), or a
// bitmap like the screen's.
class UxDeviceBitmap {
public:
    UxDeviceBitmap() = default;
    virtual ~UxDeviceBitmap();
    UxDeviceBitmap(const UxDeviceBitmap&) = delete;
    UxDeviceBitmap& operator=(const UxDeviceBitmap&) = delete;

    // Top-down 32-bit DIB section; its memory is GetBits().
    bool CreateDIB(const UxBitmapFormat& format);
    bool CreateCompatible(const UxBitmapFormat& format);
    // Converts device-independent rows (a header block and its pixels) into the bitmap.
    bool SetBits(const void* header, size_t headerBytes, const void* pixels, size_t pixelBytes);
    void Release();

    const UxBitmapFormat& GetFormat() const { return m_format; }
    plat::HBITMAP GetHandle() const { return m_handle; }
    void* GetBits() const { return m_bits; }

private:
    UxBitmapFormat m_format;
    plat::HBITMAP m_handle = nullptr;
    void* m_bits = nullptr;
};
