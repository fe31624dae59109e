#include "ux/graphics/UxFrameBitmap.h"

#include "ux/graphics/UxDeviceImageInfo.h"
#include "ux/graphics/UxImage.h"

#include <cstring>

namespace {

// A plain 32-bit bitmap file leaves its fourth bytes unused, usually 0: when every one of
// them is 0 the picture is opaque; any other value is taken as alpha.
bool UnusedAlpha(const UxImage& frame)
{
    if (!frame.unusedAlphaMeansOpaque || frame.GetBitsPerPixel() != 32
        || frame.GetHeader()->biCompression != kUxBitmapRgb)
        return false;
    for (int32_t y = 0; y < frame.GetHeight(); ++y) {
        const uint8_t* row = frame.GetRow(y);
        for (int32_t x = 0; x < frame.GetWidth(); ++x)
            if (row[4 * x + 3])
                return false;
    }
    return true;
}

bool HasAlphaMask(const UxImage& frame)
{
    const uint32_t* masks = const_cast<UxImage&>(frame).GetMasks();
    return masks && masks[3];
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
        ok = frame->GetBitsPerPixel() == 32 || HasAlphaMask(*frame) ? ConvertPremultiplied(*frame)
                                                                  : ConvertCompatible(*frame);
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

// Straight colour and alpha in a top-down bitmap: bit fields (an alpha mask among them)
// are read through their masks, and unused fourth bytes become opaque.
bool UxFrameBitmap::ConvertStraight(const UxImage& frame)
{
    if (!m_bitmap.CreateDIB({ frame.GetWidth(), frame.GetHeight(), 32 })
        || !m_bitmap.SetBits(
            frame.GetHeaderBlock(), frame.GetHeaderBlockSize(), frame.GetPixels(), frame.GetPixelSize()))
        return false;
    if (UnusedAlpha(frame)) {
        auto* out = static_cast<uint8_t*>(m_bitmap.GetBits());
        size_t count = size_t(frame.GetWidth()) * size_t(frame.GetHeight());
        for (size_t i = 0; i < count; ++i)
            out[4 * i + 3] = 255;
    }
    return true;
}

// Colour scaled by alpha, as per-pixel blending expects.
bool UxFrameBitmap::ConvertPremultiplied(const UxImage& frame)
{
    if (!ConvertStraight(frame))
        return false;
    auto* out = static_cast<uint8_t*>(m_bitmap.GetBits());
    size_t count = size_t(frame.GetWidth()) * size_t(frame.GetHeight());
    for (size_t i = 0; i < count; ++i, out += 4) {
        uint32_t a = out[3];
        out[0] = uint8_t(out[0] * a / 255);
        out[1] = uint8_t(out[1] * a / 255);
        out[2] = uint8_t(out[2] * a / 255);
    }
    return true;
}

// Our bitmaps with memory are 32-bit only: every frame is converted into one, keeping
// colour and alpha as the file gives them.
bool UxFrameBitmap::ConvertAsStored(const UxImage& frame)
{
    return ConvertStraight(frame);
}

bool UxFrameBitmap::ConvertCompatible(const UxImage& frame)
{
    if (!m_bitmap.CreateCompatible({ frame.GetWidth(), frame.GetHeight(), frame.GetBitsPerPixel() }))
        return false;
    return m_bitmap.SetBits(
        frame.GetHeaderBlock(), frame.GetHeaderBlockSize(), frame.GetPixels(), frame.GetPixelSize());
}
