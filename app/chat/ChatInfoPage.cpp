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
    return node && ApplySkin(node) && AddSkinParts(*this, node, { { L"View", &m_view } });
}

void ChatInfoPage::OnWillShow()
{
    if (MessengerApp* app = MessengerApp::GetInstance())
        app->GetStatusBarDisclosure().SetTitle(L"참여 친구 정보");
    m_view.Reload();
}

void ChatInfoPage::OnWillHide()
{
    UxListWindow::DropKeyRowWithin(*this);
}
