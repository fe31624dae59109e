#include "app/chat/ChatInfoPage.h"

#include "app/shell/MessengerApp.h"
#include "app/shell/SkinParts.h"
#include "ux/markup/UxXmlNode.h"

ChatInfoPage::~ChatInfoPage()
{
    RemoveChildren();
}

bool ChatInfoPage::Create()
{
    UxXmlNode* node = SelectSection(L"ChatInfoPage::Create", L"ChatInfo");
    if (!node || !ApplySkin(node))
        return false;
    AddChild(&m_view);
    return m_view.ApplySkin(node->FindChild(L"View"));
}

void ChatInfoPage::OnWillShow()
{
    if (MessengerApp* app = MessengerApp::GetInstance())
        app->GetStatusBarDisclosure().SetTitle(L"참여 친구 정보");
    m_view.Reload();
}
