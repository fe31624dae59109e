#include "app/chat/ChatListPage.h"

#include "app/shell/SkinParts.h"
#include "ux/markup/UxXmlNode.h"

ChatListPage::~ChatListPage()
{
    RemoveChildren();
}

bool ChatListPage::Create()
{
    UxXmlNode* node = SelectSection(L"ChatListPage::Create", L"ChatList");
    if (!node || !MainPage::Create() || !ApplySkin(node))
        return false;
    AddChild(&m_titleBar);
    AddChild(&m_view);
    return m_titleBar.Create(node->FindChild(L"TitleBar")) && m_view.ApplySkin(node->FindChild(L"View"));
}

void ChatListPage::OnWillShow()
{
    MainPage::OnWillShow();
    m_view.UpdateHelpText();
}
