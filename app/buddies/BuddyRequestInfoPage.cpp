#include "app/buddies/BuddyRequestInfoPage.h"

#include "app/shell/MessengerApp.h"
#include "app/shell/SkinParts.h"
#include "ux/markup/UxXmlNode.h"

BuddyRequestInfoPage::~BuddyRequestInfoPage()
{
    RemoveChildren();
}

bool BuddyRequestInfoPage::Create()
{
    UxXmlNode* node = SelectSection(L"BuddyRequestInfoPage::Create", L"BuddyRequestInfo");
    if (!node || !EmptyPage::Create() || !ApplySkin(node))
        return false;
    AddChild(&m_view);
    AddChild(&m_buttonBar);
    return m_view.Build(node->FindChild(L"View")) && m_buttonBar.Build(node->FindChild(L"ButtonBar"), &m_view);
}

void BuddyRequestInfoPage::OnWillShow()
{
    if (MessengerApp* app = MessengerApp::GetInstance())
        app->GetStatusBarDisclosure().SetTitle(L"친구 요청함");
}
