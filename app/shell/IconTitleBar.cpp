#include "app/shell/IconTitleBar.h"

#include "app/shell/SkinParts.h"

IconTitleBar::~IconTitleBar()
{
    for (UxWindow* part :
        { static_cast<UxWindow*>(&BackSkin), static_cast<UxWindow*>(&Icon), static_cast<UxWindow*>(&Text) })
        if (part->GetParent() == this)
            RemoveChild(part);
}

bool IconTitleBar::Create(UxXmlNode* node)
{
    return node && ApplySkin(node)
        && AddSkinParts(*this, node, { { L"BackSkin", &BackSkin }, { L"Icon", &Icon }, { L"Text", &Text } });
}
