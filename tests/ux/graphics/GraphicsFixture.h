#pragma once

#include "ux/graphics/UxDeviceBitmap.h"
#include "ux/graphics/UxDeviceContext.h"
#include "ux/graphics/UxFont.h"

#include <memory>

// A memory context with its own compatible bitmap of the given size, as the surface pool
// makes them.
inline std::unique_ptr<UxDeviceContext> MakeSurface(int width, int height)
{
    auto dc = std::make_unique<UxDeviceContext>();
    if (!dc->CreateMemoryDC())
        return nullptr;
    auto* bitmap = new UxDeviceBitmap();
    bitmap->CreateCompatible(UxBitmapFormat { width, height, 32 });
    dc->SelectBitmap(bitmap, UxDeviceContext::OwnedCreated);
    return dc;
}

inline plat::COLORREF PixelAt(UxDeviceContext& dc, int x, int y)
{
    return plat::GetPixel(dc.GetHandle(), x, y);
}
