#include "app/chat/ChatListPage.h"

#include "app/shell/SkinParts.h"
#include "ux/markup/UxXmlNode.h"

ChatListPage::~ChatListPage()
{
    RemoveChildren();
}

bool ChatListPage::Create()
{
    UxXmlNode* node = CreateFromSkin();
    return node && AddSkinParts(*this, node, { { L"TitleBar", &m_titleBar }, { L"View", &m_view } });
}

void ChatListPage::OnWillShow()
{
    MainPage::OnWillShow();
    m_view.UpdateHelpText();
}
