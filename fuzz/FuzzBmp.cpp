// Decodes arbitrary bytes as a BMP picture.
#include "fuzz/ImageFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return FuzzImage(data, size, UxImageTypeBmp);
}
