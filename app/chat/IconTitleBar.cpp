#include "app/chat/IconTitleBar.h"

#include "app/shell/SkinParts.h"

IconTitleBar::~IconTitleBar()
{
    for (UxWindow* part :
        { static_cast<UxWindow*>(&m_back), static_cast<UxWindow*>(&m_icon), static_cast<UxWindow*>(&m_text) })
        if (part->GetParent() == this)
            RemoveChild(part);
}

bool IconTitleBar::Create(UxXmlNode* section)
{
    if (!section || !ApplySkin(section))
        return false;
    return AddSkinParts(*this, section, { { L"BackSkin", &m_back }, { L"Icon", &m_icon }, { L"Text", &m_text } });
}
