#include "ux/widgets/UxLabel.h"

bool UxLabel::OnPaint(UxDeviceContext* surface, const plat::RECT& rect)
{
    if (surface && !m_text.GetText().empty())
        m_text.Draw(*surface, ClientToSurface(GetClientRect()), rect);
    return true;
}

bool UxLabel::ApplySkin(UxXmlNode* node)
{
    if (!UxWindow::ApplySkin(node))
        return false;
    return m_text.ApplySkin(node);
}

void UxLabel::SetText(const std::wstring& text)
{
    m_text.SetText(text);
    Invalidate();
}
