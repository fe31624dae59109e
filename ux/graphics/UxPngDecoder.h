#pragma once

#include "ux/graphics/UxImageDecoder.h"

#include <png.h>

#include <vector>

// PNG through libpng. Palette and grey pictures of 1, 4 or 8 bits keep their depth
// (2-bit ones become 8-bit), colour becomes 24-bit blue, green, red, and anything with
// alpha (grey with alpha, a transparency chunk) 32-bit blue, green, red, alpha; 16-bit
// samples are cut to 8. Rows bottom-up, 32-bit rows top-down.
class UxPngDecoder : public UxImageDecoder {
public:
    bool Decode(UxInputStream& stream) override;

private:
    bool DecodeImage();
    bool Finish(bool ok);
    static void ReadData(png_structp png, png_bytep buffer, size_t length);
    static void Error(png_structp png, png_const_charp message);
    static void Warning(png_structp png, png_const_charp message);

    // Library errors jump back to Decode; the state lives here, not on the stack.
    png_structp m_png = nullptr;
    png_infop m_info = nullptr;
    std::unique_ptr<UxImage> m_frame;
    std::vector<png_bytep> m_rows;
    int m_warnings = 0;
};
