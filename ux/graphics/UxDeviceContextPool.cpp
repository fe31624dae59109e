#include "ux/graphics/UxDeviceContextPool.h"

#include "ux/graphics/UxDeviceBitmap.h"

bool UxDeviceContextPool::Create(const UxDeviceContextInfo& info, UxDeviceContext& context)
{
    if (!context.CreateMemoryDC())
        return false;
    auto* bitmap = new UxDeviceBitmap;
    if (!bitmap->CreateCompatible(UxBitmapFormat { info.Width, info.Height, 32 })) {
        delete bitmap;
        context.Release();
        return false;
    }
    context.SelectBitmap(bitmap, UxDeviceContext::OwnedCreated);
    return true;
}

void UxDeviceContextPool::Destroy(UxDeviceContext& context)
{
    context.Release();
}
