#include "ux/graphics/UxPaintDC.h"

UxPaintDC::UxPaintDC(UxPaintHost& host)
    : m_host(host)
{
    plat::HDC handle = m_host.BeginPaint(m_paintRect);
    Attach(handle, KeepHandle);
    m_host.SetRepaintRect(m_paintRect);
}

UxPaintDC::~UxPaintDC()
{
    Release(); // selections go back before the paint context ends
    m_host.EndPaint();
    m_host.ResetInvalidRect();
}
