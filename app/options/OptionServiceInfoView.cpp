#include "app/options/OptionServiceInfoView.h"

#include "app/shell/SkinParts.h"
#include "messenger/protocol/login/ClientVersion.h"
#include "ux/core/UxText.h"

OptionServiceInfoView::~OptionServiceInfoView()
{
    RemoveChildren();
}

bool OptionServiceInfoView::ApplySkin(UxXmlNode* node)
{
    if (!FilledWindow::ApplySkin(node))
        return false;
    if (!AddSkinParts(*this, node,
            { { L"Logo", &Logo }, { L"VersionText", &VersionText },
                { L"LastUpdateInfoText", &LastUpdateInfoText }, { L"PlatformInfoText", &PlatformInfoText },
                { L"ApplicationName", &ApplicationName }, { L"Line", &Line },
                { L"TarvSupportText", &TarvSupportText }, { L"SupportPhone", &SupportPhone },
                { L"SupportMail", &SupportMail }, { L"CopyrightText", &CopyrightText } }))
        return false;
    VersionText.SetText(FormatString(L"Ver %s (Beta)", kClientVersion));
    return true;
}
