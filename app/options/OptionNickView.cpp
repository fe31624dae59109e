#include "app/options/OptionNickView.h"

#include "app/shell/SkinParts.h"
#include "ux/graphics/UxDeviceContext.h"
#include "ux/markup/UxXmlNode.h"

OptionNickView::~OptionNickView()
{
    RemoveChildren();
}

bool OptionNickView::Create(UxXmlNode* node)
{
    if (!node || !ApplySkin(node))
        return false;
    if (UxXmlNode* back = node->FindChild(L"_BackColor"))
        m_backColor = back->GetColor();
    return AddSkinParts(*this, node, { { L"BackSkin", &BackSkin }, { L"Nick", &Nick } });
}

bool OptionNickView::OnPaint(UxDeviceContext* surface, const plat::RECT& rect)
{
    surface->FillRect(m_backColor, rect);
    return true;
}

bool OptionNickView::OnChildEvent(UxWindow* child, int32_t code)
{
    if (child == &BackSkin && code == EventPointerDown)
        Nick.SetFocus(true);
    return true;
}
