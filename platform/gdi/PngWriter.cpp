#include "platform/gdi/Gdi.h"

#include <csetjmp>
#include <cstdio>
#include <vector>

#include <png.h>

namespace plat {

bool WritePng(HBITMAP bitmap, const std::string& path, bool opaque)
{
    if (!bitmap || bitmap->Width() == 0 || bitmap->Height() == 0)
        return false;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    // Rows are made before the jump point so that nothing with a destructor is skipped.
    std::vector<uint8_t> row(size_t(bitmap->Width()) * 4);
    volatile bool ok = false;
    if (png && info && setjmp(png_jmpbuf(png)) == 0) {
        png_init_io(png, file);
        png_set_IHDR(png, info, png_uint_32(bitmap->Width()), png_uint_32(bitmap->Height()), 8,
            PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
            PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (int y = 0; y < bitmap->Height(); ++y) {
            const uint32_t* src = bitmap->Row(y);
            for (int x = 0; x < bitmap->Width(); ++x) {
                uint32_t p = src[x];
                uint32_t r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF, a = p >> 24;
                if (opaque || !bitmap->HasAlpha()) {
                    a = 255;
                } else if (a > 0 && a < 255) {
                    r = std::min<uint32_t>(255, (r * 255 + a / 2) / a);
                    g = std::min<uint32_t>(255, (g * 255 + a / 2) / a);
                    b = std::min<uint32_t>(255, (b * 255 + a / 2) / a);
                }
                uint8_t* out = &row[size_t(x) * 4];
                out[0] = uint8_t(r), out[1] = uint8_t(g), out[2] = uint8_t(b), out[3] = uint8_t(a);
            }
            png_write_row(png, row.data());
        }
        png_write_end(png, nullptr);
        ok = true;
    }
    png_destroy_write_struct(png ? &png : nullptr, info ? &info : nullptr);
    if (std::fclose(file) != 0)
        ok = false;
    return ok;
}

} // namespace plat
