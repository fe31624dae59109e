#include "app/buddies/BuddyRequestListPage.h"

#include "app/shell/MessengerApp.h"
#include "app/shell/SkinParts.h"
#include "ux/markup/UxXmlNode.h"
#include "ux/core/UxNavigationController.h"

BuddyRequestListPage::~BuddyRequestListPage()
{
    RemoveChildren();
}

bool BuddyRequestListPage::Create()
{
    UxXmlNode* node = CreateFromSkin();
    return node && AddSkinParts(*this, node, { { L"View", &m_view } });
}

void BuddyRequestListPage::OnWillShow()
{
    if (MessengerApp* app = MessengerApp::GetInstance())
        app->GetStatusBarDisclosure().SetTitle(L"친구 요청함");
    m_view.Reload();
}

void BuddyRequestListPage::Refresh()
{
    // Also while the page is still sliding in: it came up before the answer.
    UxNavigationController* navigation = UxNavigationController::GetInstance();
    if (navigation && navigation->GetPage() == this)
        m_view.Refresh();
}
