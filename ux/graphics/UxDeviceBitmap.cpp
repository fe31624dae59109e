#include "ux/graphics/UxDeviceBitmap.h"

UxDeviceBitmap::~UxDeviceBitmap()
{
    Release();
}

bool UxDeviceBitmap::CreateDIB(const UxBitmapFormat& format)
{
    Release();
    m_format = format;
    plat::BITMAPINFO info;
    info.bmiHeader.biSize = sizeof(plat::BITMAPINFO); // header and one colour entry
    info.bmiHeader.biWidth = format.Width;
    info.bmiHeader.biHeight = -format.Height; // rows top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = uint16_t(format.BitsPerPixel);
    info.bmiHeader.biCompression = plat::BI_RGB;
    plat::HDC screen = plat::GetDC(nullptr);
    m_handle = plat::CreateDIBSection(screen, &info, plat::DIB_RGB_COLORS, &m_bits);
    plat::ReleaseDC(nullptr, screen);
    return m_handle != nullptr;
}

bool UxDeviceBitmap::CreateCompatible(const UxBitmapFormat& format)
{
    Release();
    m_format = format;
    plat::HDC screen = plat::GetDC(nullptr);
    m_handle = plat::CreateCompatibleBitmap(screen, format.Width, format.Height);
    plat::ReleaseDC(nullptr, screen);
    return m_handle != nullptr;
}

bool UxDeviceBitmap::SetBits(const void* header, size_t headerBytes, const void* pixels, size_t pixelBytes)
{
    if (!m_handle)
        return false;
    plat::HDC dc = plat::CreateCompatibleDC(nullptr);
    plat::HGDIOBJ previous = plat::SelectObject(dc, m_handle);
    int rows = previous ? plat::SetDIBitsToDevice(dc, 0, 0, header, headerBytes, pixels, pixelBytes) : 0;
    if (previous)
        plat::SelectObject(dc, previous);
    plat::DeleteDC(dc);
    return rows > 0;
}

void UxDeviceBitmap::Release()
{
    if (m_handle) {
        plat::DeleteObject(m_handle);
        m_handle = nullptr;
        m_bits = nullptr;
    }
}
