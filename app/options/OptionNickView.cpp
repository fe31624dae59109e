#include "app/options/OptionNickView.h"

#include "app/shell/SkinParts.h"
#include "ux/graphics/UxDeviceContext.h"
#include "ux/markup/UxXmlNode.h"

OptionNickView::~OptionNickView()
{
    for (UxWindow* part : { static_cast<UxWindow*>(&BackSkin), static_cast<UxWindow*>(&Nick) })
        if (part->GetParent() == this)
            RemoveChild(part);
}

bool OptionNickView::Create(UxXmlNode* node)
{
    if (!node || !ApplySkin(node))
        return false;
    if (UxXmlNode* back = node->FindChild(L"_BackColor"))
        m_backColor = back->GetColor();
    BackSkin.SetEdit(&Nick);
    return AddSkinParts(*this, node, { { L"BackSkin", &BackSkin }, { L"Nick", &Nick } });
}

bool OptionNickView::OnPaint(UxDeviceContext* surface, const plat::RECT& rect)
{
    surface->FillRect(m_backColor, rect);
    return true;
}
