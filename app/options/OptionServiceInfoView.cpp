#include "app/options/OptionServiceInfoView.h"

#include "app/shell/SkinParts.h"
#include "messenger/protocol/ClientVersion.h"
#include "ux/core/UxText.h"
#include "ux/graphics/UxDeviceContext.h"
#include "ux/markup/UxXmlNode.h"

OptionServiceInfoView::~OptionServiceInfoView()
{
    RemoveChildren();
}

bool OptionServiceInfoView::Create(UxXmlNode* node)
{
    if (!node || !ApplySkin(node))
        return false;
    if (UxXmlNode* back = node->FindChild(L"_BackColor"))
        m_backColor = back->GetColor();
    if (!AddSkinParts(*this, node,
            { { L"Logo", &Logo }, { L"VersionText", &VersionText }, { L"LastUpdateInfoText", &LastUpdateInfoText },
                { L"PlatformInfoText", &PlatformInfoText }, { L"ApplicationName", &ApplicationName },
                { L"Line", &Line }, { L"TarvSupportText", &TarvSupportText }, { L"SupportPhone", &SupportPhone },
                { L"SupportMail", &SupportMail }, { L"CopyrightText", &CopyrightText } }))
        return false;
    VersionText.SetText(FormatString(L"Ver %s (Beta)", kClientVersion));
    return true;
}

bool OptionServiceInfoView::OnPaint(UxDeviceContext* surface, const plat::RECT& rect)
{
    surface->FillRect(m_backColor, rect);
    return true;
}
