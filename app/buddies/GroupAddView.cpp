#include "app/buddies/GroupAddView.h"

#include "app/shell/SkinParts.h"

GroupAddView::~GroupAddView()
{
    RemoveChildren();
}

bool GroupAddView::ApplySkin(UxXmlNode* node)
{
    BackSkin.SetEdit(&GroupName);
    return FilledBar::ApplySkin(node) && AddSkinParts(*this, node, { { L"BackSkin", &BackSkin }, { L"GroupName", &GroupName } });
}
