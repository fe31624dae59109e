#pragma once

// Value types and constants of the drawing layer. Constants keep the numbers the
// toolkit's tables and callers were written against.

#include "platform/event/Message.h"

#include <cstdint>

namespace plat {

using COLORREF = uint32_t; // 0x00BBGGRR
using DWORD = uint32_t;
using WCHAR = wchar_t;

struct SIZE {
    int32_t cx = 0;
    int32_t cy = 0;
};

// POINT and RECT are the window layer's, so both layers speak of the same geometry.

constexpr COLORREF RGB(uint8_t r, uint8_t g, uint8_t b)
{
    return COLORREF(r) | (COLORREF(g) << 8) | (COLORREF(b) << 16);
}
constexpr uint8_t GetRValue(COLORREF c)
{
    return uint8_t(c);
}
constexpr uint8_t GetGValue(COLORREF c)
{
    return uint8_t(c >> 8);
}
constexpr uint8_t GetBValue(COLORREF c)
{
    return uint8_t(c >> 16);
}

constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

// Raster operation: the only one the program draws with.
constexpr DWORD SRCCOPY = 0x00CC0020;

// ExtTextOutW options.
constexpr uint32_t ETO_OPAQUE = 0x0002;
constexpr uint32_t ETO_CLIPPED = 0x0004;

// Background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Blending.
constexpr uint8_t AC_SRC_OVER = 0x00;
constexpr uint8_t AC_SRC_ALPHA = 0x01;

struct BLENDFUNCTION {
    uint8_t BlendOp = AC_SRC_OVER;
    uint8_t BlendFlags = 0;
    uint8_t SourceConstantAlpha = 255;
    uint8_t AlphaFormat = 0;
};

// Device-independent bitmaps.
constexpr uint32_t BI_RGB = 0;
constexpr uint32_t BI_RLE8 = 1;
constexpr uint32_t BI_RLE4 = 2;
constexpr uint32_t BI_BITFIELDS = 3;
constexpr uint32_t DIB_RGB_COLORS = 0;

// The 40-byte header in its file layout (little-endian, no padding).
struct BITMAPINFOHEADER {
    uint32_t biSize = 40;
    int32_t biWidth = 0;
    int32_t biHeight = 0; // positive: rows bottom-up; negative: top-down
    uint16_t biPlanes = 1;
    uint16_t biBitCount = 0;
    uint32_t biCompression = BI_RGB;
    uint32_t biSizeImage = 0;
    int32_t biXPelsPerMeter = 0;
    int32_t biYPelsPerMeter = 0;
    uint32_t biClrUsed = 0;
    uint32_t biClrImportant = 0;
};
static_assert(sizeof(BITMAPINFOHEADER) == 40);

struct RGBQUAD {
    uint8_t rgbBlue = 0;
    uint8_t rgbGreen = 0;
    uint8_t rgbRed = 0;
    uint8_t rgbReserved = 0;
};

struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
};
static_assert(sizeof(BITMAPINFO) == 44);

// What GetObjectW reports for a bitmap.
struct BITMAP {
    int32_t bmType = 0;
    int32_t bmWidth = 0;
    int32_t bmHeight = 0;
    int32_t bmWidthBytes = 0;
    uint16_t bmPlanes = 1;
    uint16_t bmBitsPixel = 32;
    void* bmBits = nullptr; // null for a compatible bitmap
};

// Fonts.
constexpr int32_t FW_DONTCARE = 0;
constexpr int32_t FW_NORMAL = 400;
constexpr int32_t FW_BOLD = 700;
constexpr int LF_FACESIZE = 32;

struct LOGFONTW {
    int32_t lfHeight = 0; // > 0 cell height, < 0 em height, 0 the default size
    int32_t lfWidth = 0;
    int32_t lfEscapement = 0;
    int32_t lfOrientation = 0;
    int32_t lfWeight = 0;
    uint8_t lfItalic = 0;
    uint8_t lfUnderline = 0;
    uint8_t lfStrikeOut = 0;
    uint8_t lfCharSet = 0;
    uint8_t lfOutPrecision = 0;
    uint8_t lfClipPrecision = 0;
    uint8_t lfQuality = 0;
    uint8_t lfPitchAndFamily = 0;
    WCHAR lfFaceName[LF_FACESIZE] = {};
};

} // namespace plat
