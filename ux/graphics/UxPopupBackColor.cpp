#include "ux/graphics/UxPopupBackColor.h"

#include "ux/graphics/UxDeviceBitmap.h"

bool UxPopupBackColor::Create()
{
    if (!m_surface.CreateMemoryDC())
        return false;
    auto* bitmap = new UxDeviceBitmap;
    if (!bitmap->CreateCompatible(UxBitmapFormat { 1, 1, 32 })) {
        delete bitmap;
        return false;
    }
    m_surface.SelectBitmap(bitmap, UxDeviceContext::OwnedCreated);
    m_surface.FillRect(kColor, plat::RECT {});
    return true;
}
