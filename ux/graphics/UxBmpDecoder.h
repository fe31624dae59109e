#pragma once

#include "ux/graphics/UxImageDecoder.h"

// Windows and OS/2 bitmaps: core and info headers, 1 to 32 bits, bit fields, RLE8 and
// RLE4, bottom-up and top-down rows. One frame, bottom-up, except 32 bits (top-down).
class UxBmpDecoder : public UxImageDecoder {
public:
    bool Decode(UxInputStream& stream) override;

private:
    static bool DecodeRle(UxInputStream& stream, UxImage& frame, bool fourBits);
};
