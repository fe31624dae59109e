#include "app/buddies/BuddyAddPage.h"

#include "app/shell/MessengerApp.h"
#include "app/shell/SkinParts.h"
#include "ux/markup/UxXmlNode.h"

BuddyAddPage::~BuddyAddPage()
{
    RemoveChildren();
}

bool BuddyAddPage::Create()
{
    UxXmlNode* node = SelectSection(L"BuddyAddPage::Create", L"BuddyAdd");
    if (!node || !EmptyPage::Create() || !ApplySkin(node))
        return false;
    AddChild(&m_view);
    return m_view.Build(node->FindChild(L"View"));
}

void BuddyAddPage::OnWillShow()
{
    if (MessengerApp* app = MessengerApp::GetInstance()) {
        StatusBarDisclosure& bar = app->GetStatusBarDisclosure();
        bar.SetTitle(L"친구 추가");
        bar.BuddyAddButton.SetVisible(true);
        bar.BuddyAddButton.Invalidate();
    }
    m_view.IdEdit.SetFocus(true);
}

void BuddyAddPage::OnWillHide()
{
    if (MessengerApp* app = MessengerApp::GetInstance()) {
        StatusBarDisclosure& bar = app->GetStatusBarDisclosure();
        bar.BuddyAddButton.SetVisible(false);
        bar.Invalidate();
    }
    DropFocus();
}
