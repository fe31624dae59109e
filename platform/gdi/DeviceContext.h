#pragma once

#include "platform/gdi/GdiTypes.h"

namespace plat {

class Bitmap;
class Font;

// The state behind an HDC; the functions of Gdi.h keep it consistent (selection counts,
// defaults put back), so callers go through them rather than these fields.
struct DeviceContext {
    Bitmap* bitmap = nullptr; // never null: the stock 1 x 1 bitmap when nothing else
    Font* font = nullptr; // never null: the stock font when nothing else
    COLORREF textColor = 0;
    COLORREF backColor = 0xFFFFFF;
    int backMode = OPAQUE;
    bool hasClip = false;
    RECT clip;
};

} // namespace plat
