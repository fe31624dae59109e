#include "app/options/OptionNickView.h"

#include "app/shell/SkinParts.h"

OptionNickView::~OptionNickView()
{
    RemoveChildren();
}

bool OptionNickView::ApplySkin(UxXmlNode* node)
{
    if (!FilledWindow::ApplySkin(node))
        return false;
    return AddSkinParts(*this, node, { { L"BackSkin", &BackSkin }, { L"Nick", &Nick } });
}

bool OptionNickView::OnChildEvent(UxWindow* child, int32_t code)
{
    if (child == &BackSkin && code == EventPointerDown)
        Nick.SetFocus(true);
    return true;
}
