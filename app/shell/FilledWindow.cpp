#include "app/shell/FilledWindow.h"

#include "ux/graphics/UxDeviceContext.h"
#include "ux/markup/UxXmlNode.h"

bool FilledWindow::ApplySkin(UxXmlNode* node)
{
    if (!node || !UxWindow::ApplySkin(node))
        return false;
    if (UxXmlNode* back = node->FindChild(L"_BackColor"))
        m_backColor = back->GetColor();
    return true;
}

bool FilledWindow::OnPaint(UxDeviceContext* surface, const plat::RECT& rect)
{
    surface->FillRect(m_backColor, rect);
    return true;
}
