#include "ux/graphics/UxFrameBitmap.h"

#include "ux/graphics/UxDeviceImageInfo.h"
#include "ux/graphics/UxImage.h"

#include <cstring>

// Where stored row y of a 32-bit frame goes in the bitmap, which is top-down while the
// frame may be either way.
uint8_t* UxFrameBitmap::DibRow(const UxImage& frame, int32_t y)
{
    int32_t row = frame.IsTopDown() ? y : frame.GetHeight() - 1 - y;
    return static_cast<uint8_t*>(m_bitmap.GetBits()) + size_t(row) * size_t(frame.GetWidth()) * 4;
}

bool UxFrameBitmap::Convert(int32_t mode, UxImage* frame)
{
    m_frame = frame;
    m_hasColorKey = false;
    if (!frame || !frame->GetPixels() || !frame->GetHeaderBlock())
        return false;
    bool ok = false;
    switch (mode) {
    case UxDeviceImageInfo::Premultiplied:
        ok = frame->GetBitsPerPixel() == 32 ? ConvertPremultiplied(*frame) : ConvertCompatible(*frame);
        break;
    case UxDeviceImageInfo::AsStored:
        ok = ConvertAsStored(*frame);
        break;
    case UxDeviceImageInfo::Compatible:
        ok = ConvertCompatible(*frame);
        break;
    default:
        return false;
    }
    if (!ok)
        return false;
    int32_t index = frame->transparentIndex;
    if (index >= 0 && index < frame->GetPaletteCount()) {
        const UxPaletteEntry& entry = frame->GetPalette()[index];
        m_colorKey = plat::RGB(entry.red, entry.green, entry.blue);
        m_hasColorKey = true;
    }
    return true;
}

// Colour scaled by alpha, as per-pixel blending expects.
bool UxFrameBitmap::ConvertPremultiplied(const UxImage& frame)
{
    if (!m_bitmap.CreateDIB({ frame.GetWidth(), frame.GetHeight(), 32 }))
        return false;
    for (int32_t y = 0; y < frame.GetHeight(); ++y) {
        const uint8_t* in = frame.GetRow(y);
        uint8_t* out = DibRow(frame, y);
        for (int32_t x = 0; x < frame.GetWidth(); ++x, in += 4, out += 4) {
            uint32_t a = in[3];
            out[0] = uint8_t(in[0] * a / 255);
            out[1] = uint8_t(in[1] * a / 255);
            out[2] = uint8_t(in[2] * a / 255);
            out[3] = uint8_t(a);
        }
    }
    return true;
}

// Our bitmaps with memory are 32-bit only: a 32-bit frame is copied byte for byte, any
// other depth is converted into one.
bool UxFrameBitmap::ConvertAsStored(const UxImage& frame)
{
    if (!m_bitmap.CreateDIB({ frame.GetWidth(), frame.GetHeight(), 32 }))
        return false;
    if (frame.GetBitsPerPixel() != 32)
        return m_bitmap.SetBits(
            frame.GetHeaderBlock(), frame.GetHeaderBlockSize(), frame.GetPixels(), frame.GetPixelSize());
    for (int32_t y = 0; y < frame.GetHeight(); ++y)
        std::memcpy(DibRow(frame, y), frame.GetRow(y), size_t(frame.GetWidth()) * 4);
    return true;
}

bool UxFrameBitmap::ConvertCompatible(const UxImage& frame)
{
    if (!m_bitmap.CreateCompatible({ frame.GetWidth(), frame.GetHeight(), frame.GetBitsPerPixel() }))
        return false;
    return m_bitmap.SetBits(
        frame.GetHeaderBlock(), frame.GetHeaderBlockSize(), frame.GetPixels(), frame.GetPixelSize());
}
