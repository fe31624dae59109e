#include "ux/widgets/UxImageWindow.h"

bool UxImageWindow::OnPaint(UxDeviceContext* surface, const plat::RECT& rect)
{
    if (surface)
        DrawWindowImage(*this, m_image, *surface, rect);
    return true;
}

bool UxImageWindow::ApplySkin(UxXmlNode* node)
{
    if (!UxWindow::ApplySkin(node))
        return false;
    return m_image.ApplySkin(node);
}

void DrawWindowImage(UxWindow& window, UxImageItem& image, UxDeviceContext& surface, const plat::RECT& rect)
{
    if (image.GetHandle() == -1)
        return;
    image.Draw(surface, rect, window.SurfaceToClient(rect), { window.GetWidth(), window.GetHeight() });
}
