#include "app/shell/IconTitleBar.h"

#include "app/shell/SkinParts.h"

IconTitleBar::~IconTitleBar()
{
    RemoveChildren();
}

bool IconTitleBar::ApplySkin(UxXmlNode* node)
{
    return node && UxWindow::ApplySkin(node)
        && AddSkinParts(*this, node, { { L"BackSkin", &BackSkin }, { L"Icon", &Icon }, { L"Text", &Text } });
}
