#include "app/options/OptionTitleBar.h"

#include "app/shell/SkinParts.h"
#include "ux/graphics/UxDeviceContext.h"
#include "ux/markup/UxXmlNode.h"

OptionTitleBar::~OptionTitleBar()
{
    RemoveChildren();
}

bool OptionTitleBar::Create(UxXmlNode* node)
{
    if (!node || !ApplySkin(node))
        return false;
    if (UxXmlNode* back = node->FindChild(L"_BackColor"))
        m_backColor = back->GetColor();
    return AddSkinParts(*this, node, { { L"HelpText1", &HelpText1 }, { L"HelpText2", &HelpText2 } });
}

bool OptionTitleBar::OnPaint(UxDeviceContext* surface, const plat::RECT& rect)
{
    surface->FillRect(m_backColor, rect);
    return true;
}
