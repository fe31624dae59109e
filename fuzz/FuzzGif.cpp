// Decodes arbitrary bytes as a GIF picture.
#include "fuzz/ImageFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return FuzzImage(data, size, UxImageTypeGif);
}
