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
    UxXmlNode* node = CreateFromSkin();
    return node && AddSkinParts(*this, node, { { L"View", &m_view }, { L"ButtonBar", &m_buttonBar } });
}

void BuddyRequestInfoPage::OnWillShow()
{
    if (MessengerApp* app = MessengerApp::GetInstance())
        app->GetStatusBarDisclosure().SetTitle(L"친구 요청함");
}
