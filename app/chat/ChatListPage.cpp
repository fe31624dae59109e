#include "app/chat/ChatListPage.h"

#include "app/shell/SkinParts.h"
#include "ux/markup/UxXmlNode.h"

ChatListPage::~ChatListPage()
{
    for (UxWindow* part : { static_cast<UxWindow*>(&m_titleBar), static_cast<UxWindow*>(&m_view) })
        if (part->GetParent() == this)
            RemoveChild(part);
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
