#pragma once

#include "platform/gdi/GdiTypes.h"
#include "ux/graphics/UxDeviceImageInfo.h"

#include <cstdint>
#include <string>

// What an image item shows and how: the picture, the part of it (all 0: the whole
// picture), a size hint and the drawing method with its colour key or constant alpha.
struct UxImageDesc {
    enum DrawMethod : int32_t { BitBlt = 0, TransparentBlt = 1, AlphaBlend = 2, AlphaBlendPerPixel = 3 };

    UxDeviceImageInfo Image;
    plat::RECT ImageCoord;
    plat::POINT TargetSize;
    int32_t Method = BitBlt;
    // Colour key for TransparentBlt; the low byte is the constant alpha for AlphaBlend.
    uint32_t Value = 0;
};

// The look of an emoticon or similar item read from the skin without loading anything.
struct UxDrawItem {
    UxImageDesc Desc;
    std::wstring Text;
};

class UxXmlNode;

// "Text", "File", "ImageCoord" and "DrawMethod" of a skin node.
UxDrawItem ReadDrawItem(const UxXmlNode* node);
