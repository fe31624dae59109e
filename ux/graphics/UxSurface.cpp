#include "ux/graphics/UxSurface.h"

#include "ux/graphics/UxDeviceBitmap.h"

bool UxSurface::Create()
{
    if (!m_dc.CreateMemoryDC())
        return false;
    auto* bitmap = new UxDeviceBitmap;
    if (!bitmap->CreateCompatible({ 1, 1, 32 })) {
        delete bitmap;
        return false;
    }
    m_dc.SelectBitmap(bitmap, UxDeviceContext::OwnedCreated);
    return true;
}

bool UxSurface::Fill(plat::COLORREF colour)
{
    if (!m_dc.GetBitmap())
        return false;
    return m_dc.FillRect(colour, plat::RECT {}) != 0;
}
