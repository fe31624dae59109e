#pragma once

// Our drawing layer: device contexts with a selected bitmap and font, raster operations
// on 32-bit bitmaps and text through fontconfig and FreeType. Functions behave like the
// calls the toolkit was designed against; differences are noted where they matter.
// Every operation is clipped to the destination bitmap, the context's clip rectangle and
// the source bitmap: nothing is read or written outside a bitmap.

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Font.h"
#include "platform/gdi/FontInstance.h"
#include "platform/gdi/GdiTypes.h"

#include <cstddef>
#include <string>

namespace plat {

using HDC = DeviceContext*;
using HGDIOBJ = GdiObject*;
using HBITMAP = Bitmap*;
using HFONT = Font*;

// Contexts. A new context has the stock 1 x 1 bitmap and the stock font selected, black
// text on a white opaque background and no clip rectangle.
HDC CreateCompatibleDC(HDC reference); // reference may be null
bool DeleteDC(HDC dc); // the objects selected are deselected, not deleted

// The screen: GetDC(nullptr) gives a context over the bitmap the display registered
// with SetScreenBitmap (or the stock bitmap before one is); release it with ReleaseDC.
HDC GetDC(HWND window);
int ReleaseDC(HWND window, HDC dc);
void SetScreenBitmap(HBITMAP bitmap); // null unregisters; the caller keeps ownership

// Bitmaps. Compatible bitmaps have no alpha; DIB sections have premultiplied alpha and
// hand out their memory. Only 32-bit, BI_RGB DIB sections are made; a positive height
// keeps the memory bottom-up. Null for a bad size or header.
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, uint32_t usage, void** bits);

HFONT CreateFontIndirectW(const LOGFONTW* font);

// Selecting returns the object it replaces (null on failure: a bitmap can be selected
// into one context at a time). Deleting fails while the object is selected anywhere;
// deleting a stock object does nothing and succeeds.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
bool DeleteObject(HGDIOBJ object);
HBITMAP GetCurrentBitmap(HDC dc);
HFONT GetCurrentFont(HDC dc);
// Fills a BITMAP or LOGFONTW; returns the bytes written, 0 when size does not fit.
int GetObjectW(HGDIOBJ object, int size, void* out);

COLORREF SetTextColor(HDC dc, COLORREF colour); // each returns the previous value
COLORREF SetBkColor(HDC dc, COLORREF colour);
int SetBkMode(HDC dc, int mode); // OPAQUE or TRANSPARENT; 0 for anything else
COLORREF GetTextColor(HDC dc);
COLORREF GetBkColor(HDC dc);
int GetBkMode(HDC dc);

// Clip rectangle in the context's coordinates; null removes it.
void SetClipRect(HDC dc, const RECT* rect);

COLORREF GetPixel(HDC dc, int x, int y); // CLR_INVALID outside the bitmap

// Raster operations. Only SRCCOPY is drawn; other raster operations fail. Zero sizes
// draw nothing and succeed; negative sizes fail. Stretching takes, for destination
// column i of dw, source column (2i + 1) * sw / (2 dw) (nearest neighbour, centred).
// Source and destination may be the same bitmap, overlapping.
bool BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop);
bool StretchBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
    int srcHeight, DWORD rop);
// Copies every source pixel whose red, green and blue differ from the key.
bool TransparentImage(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY,
    int srcWidth, int srcHeight, COLORREF key);
// Constant alpha: dest = (src * a + dest * (255 - a)) / 255 per byte, rounded. With
// AC_SRC_ALPHA the source is premultiplied: dest = src' + dest * (255 - src'.alpha) / 255,
// src' being the source scaled by the constant alpha. A source without alpha counts as
// opaque.
bool AlphaBlend(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
    int srcHeight, BLENDFUNCTION blend);

// Text. The cell's top-left is at (x, y). ETO_OPAQUE fills rect with the back colour,
// ETO_CLIPPED clips the text to rect; in OPAQUE back mode the text cells are filled with
// the back colour too. Glyphs are blended by their coverage in the text colour. dx, when
// given, holds each character's advance.
bool ExtTextOutW(HDC dc, int x, int y, uint32_t options, const RECT* rect, const wchar_t* text,
    uint32_t count, const int* dx);
// Size of the text's cells. fit (when given) receives how many leading characters fit
// within maxExtent; dx (when given) each character's right edge.
bool GetTextExtentExPointW(
    HDC dc, const wchar_t* text, int count, int maxExtent, int* fit, int* dx, SIZE* size);

// Converts device-independent rows into the context's bitmap with their top-left at
// (x, y). header points at the header block: a BITMAPINFOHEADER, then for BI_BITFIELDS
// three masks (red, green, blue), then the palette of 4-byte entries (colours used, or
// 2^bits when that is 0). 1, 4 and 8 bits with a palette, 16 (5-5-5 or masks), 24 and
// 32 (B, G, R, A or masks); bottom-up or top-down; rows 4-byte aligned. Returns the rows
// converted, 0 for a header or block that does not hold up.
int SetDIBitsToDevice(
    HDC dc, int x, int y, const void* header, size_t headerBytes, const void* bits, size_t bitsBytes);

// Writes the bitmap as an 8-bit RGBA PNG (a bitmap without alpha comes out opaque,
// premultiplied colour is divided back); opaque writes the colours with alpha 255.
bool WritePng(HBITMAP bitmap, const std::string& path, bool opaque = false);

} // namespace plat
