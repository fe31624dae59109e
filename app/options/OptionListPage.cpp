#include "app/options/OptionListPage.h"

#include "app/shell/SkinParts.h"
#include "ux/markup/UxXmlNode.h"

OptionListPage::~OptionListPage()
{
    RemoveChildren();
}

bool OptionListPage::Create()
{
    UxXmlNode* node = CreateFromSkin();
    return node && AddSkinParts(*this, node, { { L"TitleBar", &m_titleBar }, { L"View", &m_view } });
}

void OptionListPage::OnWillShow()
{
    MainPage::OnWillShow();
    m_view.Invalidate();
}
