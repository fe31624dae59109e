#include "ux/graphics/UxImage.h"

#include <algorithm>
#include <cstring>
#include <new>

bool UxImage::Allocate(const UxBitmapHeader& header)
{
    int32_t width = header.biWidth;
    int64_t height = header.biHeight < 0 ? -static_cast<int64_t>(header.biHeight) : header.biHeight;
    int32_t bits = header.biBitCount;
    if (width < 1 || width > kUxImageMaxSide || height < 1 || height > kUxImageMaxSide)
        return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return false;
    int32_t stride = StrideFor(width, bits);
    uint64_t pixelSize = static_cast<uint64_t>(stride) * static_cast<uint64_t>(height);
    if (pixelSize > kUxImageMaxBytes)
        return false;

    int32_t paletteCount = bits <= 8 ? 1 << bits : 0;
    // Bit fields: four masks (red, green, blue, alpha) inside a 56-byte header.
    bool fields = header.biCompression == kUxBitmapBitFields;
    size_t masks = fields ? 16 : 0;
    size_t blockSize
        = sizeof(UxBitmapHeader) + masks + static_cast<size_t>(paletteCount) * sizeof(UxPaletteEntry);
    std::unique_ptr<uint8_t[]> block(new (std::nothrow) uint8_t[blockSize]());
    std::unique_ptr<uint8_t[]> pixels(new (std::nothrow) uint8_t[pixelSize]());
    if (!block || !pixels)
        return false;

    UxBitmapHeader h = header;
    h.biSize = static_cast<uint32_t>(sizeof(UxBitmapHeader) + masks);
    h.biPlanes = 1;
    h.biClrUsed = static_cast<uint32_t>(paletteCount);
    h.biClrImportant = 0;
    h.biSizeImage = static_cast<uint32_t>(pixelSize);
    std::memcpy(block.get(), &h, sizeof h);

    m_block = std::move(block);
    m_blockSize = blockSize;
    m_pixels = std::move(pixels);
    m_pixelSize = static_cast<size_t>(pixelSize);
    m_paletteCount = paletteCount;
    m_width = width;
    m_height = static_cast<int32_t>(height);
    m_bits = bits;
    m_stride = stride;
    return true;
}

bool UxImage::Allocate(int32_t width, int32_t height, int32_t bits)
{
    if (bits <= 1)
        bits = 1;
    else if (bits <= 4)
        bits = 4;
    else if (bits <= 8)
        bits = 8;
    else if (bits <= 16)
        bits = 16;
    else if (bits <= 24)
        bits = 24;
    else
        bits = 32;
    UxBitmapHeader h {};
    h.biSize = sizeof h;
    h.biWidth = width;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = static_cast<uint16_t>(bits);
    h.biCompression = kUxBitmapRgb;
    return Allocate(h);
}

uint32_t* UxImage::GetMasks()
{
    if (!m_block || GetHeader()->biCompression != kUxBitmapBitFields)
        return nullptr;
    return reinterpret_cast<uint32_t*>(m_block.get() + sizeof(UxBitmapHeader));
}

UxPaletteEntry* UxImage::GetPalette()
{
    return const_cast<UxPaletteEntry*>(static_cast<const UxImage*>(this)->GetPalette());
}

const UxPaletteEntry* UxImage::GetPalette() const
{
    if (!m_block || !m_paletteCount)
        return nullptr;
    size_t offset = m_blockSize - static_cast<size_t>(m_paletteCount) * sizeof(UxPaletteEntry);
    return reinterpret_cast<const UxPaletteEntry*>(m_block.get() + offset);
}

void UxImage::SetPalette(const uint8_t* entries, int32_t count, bool blueFirst)
{
    UxPaletteEntry* p = GetPalette();
    count = std::min(count, m_paletteCount);
    for (int32_t i = 0; i < count; ++i, entries += 3) {
        p[i].red = blueFirst ? entries[2] : entries[0];
        p[i].green = entries[1];
        p[i].blue = blueFirst ? entries[0] : entries[2];
        p[i].reserved = 0;
    }
}

void UxImage::SetPalette(const uint8_t* red, const uint8_t* green, const uint8_t* blue, int32_t count)
{
    UxPaletteEntry* p = GetPalette();
    count = std::min(count, m_paletteCount);
    for (int32_t i = 0; i < count; ++i)
        p[i] = { blue[i], green[i], red[i], 0 };
}

void UxImage::SetGreyPalette(int32_t count)
{
    UxPaletteEntry* p = GetPalette();
    int32_t n = std::min(count, m_paletteCount);
    for (int32_t i = 0; i < n; ++i) {
        auto v = static_cast<uint8_t>(count > 1 ? i * 255 / (count - 1) : 0);
        p[i] = { v, v, v, 0 };
    }
}

void UxImage::FreePixels()
{
    m_block.reset();
    m_blockSize = 0;
    m_pixels.reset();
    m_pixelSize = 0;
    m_paletteCount = 0;
}

void UxImage::SetTopDown(bool topDown)
{
    if (m_block)
        GetHeader()->biHeight = topDown ? -m_height : m_height;
}

bool UxImage::IsTopDown() const
{
    return m_block && GetHeader()->biHeight < 0;
}
