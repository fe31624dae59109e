#include "app/options/OptionListPage.h"

#include "app/shell/SkinParts.h"
#include "ux/markup/UxXmlNode.h"

OptionListPage::~OptionListPage()
{
    RemoveChildren();
}

bool OptionListPage::Create()
{
    UxXmlNode* node = SelectSection(L"OptionListPage::Create", L"OptionList");
    if (!node || !MainPage::Create() || !ApplySkin(node))
        return false;
    AddChild(&m_titleBar);
    AddChild(&m_view);
    return m_titleBar.Create(node->FindChild(L"TitleBar")) && m_view.ApplySkin(node->FindChild(L"View"));
}

void OptionListPage::OnWillShow()
{
    MainPage::OnWillShow();
    m_view.Invalidate();
}
