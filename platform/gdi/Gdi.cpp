#include "platform/gdi/Gdi.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>

namespace plat {

namespace {

Bitmap* StockBitmap()
{
    static std::unique_ptr<Bitmap> bitmap = [] {
        std::unique_ptr<Bitmap> b(Bitmap::Create(1, 1, false));
        b->MarkStock();
        return b;
    }();
    return bitmap.get();
}

Font* StockFont()
{
    static std::unique_ptr<Font> font = [] {
        auto f = std::make_unique<Font>(LOGFONTW {});
        f->MarkStock();
        return f;
    }();
    return font.get();
}

Bitmap* g_screen = nullptr;

} // namespace

HDC CreateCompatibleDC(HDC)
{
    auto* dc = new DeviceContext();
    dc->bitmap = StockBitmap();
    dc->bitmap->AddSelection();
    dc->font = StockFont();
    dc->font->AddSelection();
    return dc;
}

bool DeleteDC(HDC dc)
{
    if (!dc)
        return false;
    dc->bitmap->RemoveSelection();
    dc->font->RemoveSelection();
    delete dc;
    return true;
}

HDC GetDC(HWND window)
{
    if (window)
        return nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    if (g_screen) {
        dc->bitmap->RemoveSelection();
        dc->bitmap = g_screen;
        g_screen->AddSelection();
    }
    return dc;
}

int ReleaseDC(HWND, HDC dc)
{
    return DeleteDC(dc) ? 1 : 0;
}

void SetScreenBitmap(HBITMAP bitmap)
{
    g_screen = bitmap;
}

HBITMAP CreateCompatibleBitmap(HDC, int width, int height)
{
    return Bitmap::Create(width, height, false);
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, uint32_t usage, void** bits)
{
    if (bits)
        *bits = nullptr;
    if (!info || usage != DIB_RGB_COLORS)
        return nullptr;
    const BITMAPINFOHEADER& h = info->bmiHeader;
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biBitCount != 32 || h.biCompression != BI_RGB || h.biWidth <= 0
        || h.biHeight == 0 || h.biHeight == INT32_MIN)
        return nullptr;
    Bitmap* bitmap = Bitmap::Create(h.biWidth, std::abs(h.biHeight), true, h.biHeight > 0);
    if (bitmap && bits)
        *bits = bitmap->Bits();
    return bitmap;
}

HFONT CreateFontIndirectW(const LOGFONTW* font)
{
    if (!font)
        return nullptr;
    LOGFONTW copy = *font;
    copy.lfFaceName[LF_FACESIZE - 1] = L'\0';
    return new Font(copy);
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object)
{
    if (!dc || !object)
        return nullptr;
    if (object->GetKind() == GdiObject::Kind::Bitmap) {
        auto* bitmap = static_cast<Bitmap*>(object);
        if (bitmap == dc->bitmap)
            return bitmap;
        if (bitmap->GetSelectionCount() > 0 && !bitmap->IsStock() && bitmap != g_screen)
            return nullptr;
        Bitmap* previous = dc->bitmap;
        previous->RemoveSelection();
        bitmap->AddSelection();
        dc->bitmap = bitmap;
        return previous;
    }
    auto* font = static_cast<Font*>(object);
    Font* previous = dc->font;
    previous->RemoveSelection();
    font->AddSelection();
    dc->font = font;
    return previous;
}

bool DeleteObject(HGDIOBJ object)
{
    if (!object)
        return false;
    if (object->IsStock())
        return true;
    if (object->GetSelectionCount() > 0)
        return false;
    if (object == g_screen)
        g_screen = nullptr;
    delete object;
    return true;
}

HBITMAP GetCurrentBitmap(HDC dc)
{
    return dc ? dc->bitmap : nullptr;
}

HFONT GetCurrentFont(HDC dc)
{
    return dc ? dc->font : nullptr;
}

int GetObjectW(HGDIOBJ object, int size, void* out)
{
    if (!object || !out)
        return 0;
    if (object->GetKind() == GdiObject::Kind::Bitmap) {
        if (size < int(sizeof(BITMAP)))
            return 0;
        auto* bitmap = static_cast<Bitmap*>(object);
        BITMAP info;
        info.bmWidth = bitmap->Width();
        info.bmHeight = bitmap->Height();
        info.bmWidthBytes = bitmap->RowBytes();
        info.bmBits = bitmap->HasAlpha() ? bitmap->Bits() : nullptr;
        std::memcpy(out, &info, sizeof info);
        return sizeof info;
    }
    if (size < int(sizeof(LOGFONTW)))
        return 0;
    std::memcpy(out, &static_cast<Font*>(object)->Description(), sizeof(LOGFONTW));
    return sizeof(LOGFONTW);
}

COLORREF SetTextColor(HDC dc, COLORREF colour)
{
    if (!dc)
        return CLR_INVALID;
    return std::exchange(dc->textColor, colour & 0xFFFFFF);
}

COLORREF SetBkColor(HDC dc, COLORREF colour)
{
    if (!dc)
        return CLR_INVALID;
    return std::exchange(dc->backColor, colour & 0xFFFFFF);
}

int SetBkMode(HDC dc, int mode)
{
    if (!dc || (mode != OPAQUE && mode != TRANSPARENT))
        return 0;
    return std::exchange(dc->backMode, mode);
}

COLORREF GetTextColor(HDC dc)
{
    return dc ? dc->textColor : CLR_INVALID;
}

COLORREF GetBkColor(HDC dc)
{
    return dc ? dc->backColor : CLR_INVALID;
}

int GetBkMode(HDC dc)
{
    return dc ? dc->backMode : 0;
}

void SetClipRect(HDC dc, const RECT* rect)
{
    if (!dc)
        return;
    dc->hasClip = rect != nullptr;
    if (rect)
        dc->clip = *rect;
}

COLORREF GetPixel(HDC dc, int x, int y)
{
    if (!dc || x < 0 || y < 0 || x >= dc->bitmap->Width() || y >= dc->bitmap->Height())
        return CLR_INVALID;
    uint32_t p = dc->bitmap->Row(y)[x];
    return RGB(uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p));
}

} // namespace plat
