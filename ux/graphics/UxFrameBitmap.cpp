#include "ux/graphics/UxFrameBitmap.h"

#include "ux/graphics/UxDeviceImageInfo.h"
#include "ux/graphics/UxImage.h"

#include <cstring>

namespace {

// Destination row of source row y: the bitmap is top-down, the frame either way.
int32_t TopDownRow(const UxImage& frame, int32_t y)
{
    return frame.IsTopDown() ? y : frame.GetHeight() - 1 - y;
}

} // namespace

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
    int32_t width = frame.GetWidth();
    int32_t height = frame.GetHeight();
    if (!m_bitmap.CreateDIB({ width, height, 32 }))
        return false;
    auto* bits = static_cast<uint8_t*>(m_bitmap.GetBits());
    size_t rowBytes = size_t(width) * 4;
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* in = frame.GetRow(y);
        uint8_t* out = bits + size_t(TopDownRow(frame, y)) * rowBytes;
        for (int32_t x = 0; x < width; ++x, in += 4, out += 4) {
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
    int32_t width = frame.GetWidth();
    int32_t height = frame.GetHeight();
    if (!m_bitmap.CreateDIB({ width, height, 32 }))
        return false;
    if (frame.GetBitsPerPixel() != 32)
        return m_bitmap.SetBits(
            frame.GetHeaderBlock(), frame.GetHeaderBlockSize(), frame.GetPixels(), frame.GetPixelSize());
    auto* bits = static_cast<uint8_t*>(m_bitmap.GetBits());
    size_t rowBytes = size_t(width) * 4;
    for (int32_t y = 0; y < height; ++y)
        std::memcpy(bits + size_t(TopDownRow(frame, y)) * rowBytes, frame.GetRow(y), rowBytes);
    return true;
}

bool UxFrameBitmap::ConvertCompatible(const UxImage& frame)
{
    if (!m_bitmap.CreateCompatible({ frame.GetWidth(), frame.GetHeight(), frame.GetBitsPerPixel() }))
        return false;
    return m_bitmap.SetBits(
        frame.GetHeaderBlock(), frame.GetHeaderBlockSize(), frame.GetPixels(), frame.GetPixelSize());
}
