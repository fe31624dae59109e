// Device-independent rows as image files deliver them: a header block (header, masks,
// palette) and pixel rows. Input: one byte giving the header block's length in 4-byte
// units, two bytes of placement, then the header block and the pixels.

#include "platform/gdi/Gdi.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 3)
        return 0;
    size_t headerBytes = size_t(data[0]) * 4;
    int x = int8_t(data[1]);
    int y = int8_t(data[2]);
    data += 3;
    size -= 3;
    if (headerBytes > size)
        headerBytes = size;
    static plat::HDC dc = [] {
        plat::HDC made = plat::CreateCompatibleDC(nullptr);
        plat::SelectObject(made, plat::CreateCompatibleBitmap(made, 64, 48));
        return made;
    }();
    plat::SetDIBitsToDevice(dc, x, y, data, headerBytes, data + headerBytes, size - headerBytes);
    return 0;
}
