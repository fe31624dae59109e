#include "app/buddies/BuddyRequestInfoPage.h"

#include "app/buddies/BuddySelectPage.h"
#include "app/buddies/GroupSelectPage.h"
#include "app/shell/MessengerApp.h"
#include "app/shell/SkinParts.h"
#include "ux/core/UxNavigationController.h"
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

void BuddyRequestInfoPage::OpenAsked(const std::wstring& buddyId)
{
    MessengerApp* app = MessengerApp::GetInstance();
    UxNavigationController* navigation = UxNavigationController::GetInstance();
    if (!app || !navigation)
        return;
    GroupSelectPage& chooser = app->GetGroupSelectPage();
    BuddySelectPage& picker = app->GetBuddySelectPage();
    UxWindow* top = navigation->GetPage();
    // The chooser of an earlier request lies over this page.
    const bool below = top == &chooser && chooser.GetMode() == GroupSelectPage::ModeRequest;
    if (top == &chooser)
        chooser.ClearSession();
    else if (top == &picker)
        picker.Cancel();
    SetRequest(buddyId, L"0");
    if (below)
        navigation->Back();
    else if (top == &chooser || top == &picker)
        app->ReplaceScreen(&app->GetStatusBarDisclosure(), this, MessengerApp::CoverFromBottom);
    else if (top != this)
        app->PushScreen(&app->GetStatusBarDisclosure(), this, MessengerApp::CoverFromBottom);
    Invalidate();
}

void BuddyRequestInfoPage::OnWillShow()
{
    if (MessengerApp* app = MessengerApp::GetInstance())
        app->GetStatusBarDisclosure().SetTitle(L"친구 요청함");
}
