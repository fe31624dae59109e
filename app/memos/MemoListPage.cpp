#include "app/memos/MemoListPage.h"

#include "app/shell/SkinParts.h"
#include "ux/markup/UxXmlNode.h"

MemoListPage::~MemoListPage()
{
    RemoveChildren();
}

bool MemoListPage::Create()
{
    UxXmlNode* node = SelectSection(L"MemoListPage::Create", L"MemoList");
    if (!node || !MainPage::Create() || !ApplySkin(node))
        return false;
    AddChild(&m_titleBar);
    AddChild(&m_view);
    return m_titleBar.Build(node->FindChild(L"TitleBar")) && m_view.ApplySkin(node->FindChild(L"View"));
}
