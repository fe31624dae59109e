// A picture of any kind, its decoder chosen from its first bytes, turned into the
// bitmaps drawing uses (the mode from the first input byte) and drawn four ways.
#include "platform/system/Trace.h"
#include "tests/ux/graphics/GraphicsFixture.h"
#include "ux/core/UxStream.h"
#include "ux/graphics/UxDeviceImage.h"
#include "ux/graphics/UxDeviceImageInfo.h"
#include "ux/graphics/UxImageSequence.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool quiet = (plat::SetTraceHook([](const std::wstring&) {}), true);
    (void)quiet;
    if (size < 1 || size > (4u << 20))
        return 0;
    const int32_t mode = data[0] % 3;
    UxMemoryStream stream(data + 1, static_cast<uint32_t>(size - 1));
    auto sequence = std::make_unique<UxImageSequence>();
    if (!sequence->Decode(stream, UxImageTypeAuto))
        return 0;
    UxDeviceImage image;
    if (!image.Load(std::move(sequence), mode))
        return 0;
    static auto target = MakeSurface(64, 64);
    const plat::RECT dest { 0, 0, 64, 64 };
    const plat::RECT source { 0, 0, image.GetWidth(), image.GetHeight() };
    image.Blit(*target, dest, source, plat::SRCCOPY);
    image.TransparentBlt(*target, dest, source, 0);
    image.AlphaBlend(*target, dest, source, 128);
    image.AlphaBlendPerPixel(*target, dest, source);
    return 0;
}
