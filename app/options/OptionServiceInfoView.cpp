#include "app/options/OptionServiceInfoView.h"

#include "app/shell/SkinParts.h"
#include "messenger/protocol/ClientVersion.h"
#include "ux/core/UxText.h"
#include "ux/graphics/UxDeviceContext.h"
#include "ux/markup/UxXmlNode.h"

OptionServiceInfoView::~OptionServiceInfoView()
{
    for (UxWindow* part : { static_cast<UxWindow*>(&Logo), static_cast<UxWindow*>(&VersionText),
             static_cast<UxWindow*>(&LastUpdateInfoText), static_cast<UxWindow*>(&PlatformInfoText),
             static_cast<UxWindow*>(&ApplicationName), static_cast<UxWindow*>(&Line),
             static_cast<UxWindow*>(&TarvSupportText), static_cast<UxWindow*>(&SupportPhone),
             static_cast<UxWindow*>(&SupportMail), static_cast<UxWindow*>(&CopyrightText) })
        if (part->GetParent() == this)
            RemoveChild(part);
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
