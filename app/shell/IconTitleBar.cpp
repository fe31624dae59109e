#include "app/shell/IconTitleBar.h"

#include "app/shell/SkinParts.h"

IconTitleBar::~IconTitleBar()
{
    RemoveChildren();
}

bool IconTitleBar::Create(UxXmlNode* node)
{
    return node && ApplySkin(node)
        && AddSkinParts(*this, node, { { L"BackSkin", &BackSkin }, { L"Icon", &Icon }, { L"Text", &Text } });
}
