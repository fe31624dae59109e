#include "app/buddies/GroupAddView.h"

#include "app/shell/SkinParts.h"

GroupAddView::~GroupAddView()
{
    RemoveChildren();
}

bool GroupAddView::ApplySkin(UxXmlNode* node)
{
    return FilledWindow::ApplySkin(node)
        && AddSkinParts(*this, node, { { L"BackSkin", &BackSkin }, { L"GroupName", &GroupName } });
}

bool GroupAddView::OnChildEvent(UxWindow* child, int32_t code)
{
    if (child == &BackSkin && code == EventPointerDown)
        GroupName.SetFocus(true);
    return true;
}
