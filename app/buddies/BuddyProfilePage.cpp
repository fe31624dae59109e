#include "app/buddies/BuddyProfilePage.h"

#include "app/shell/MessengerApp.h"
#include "app/shell/SkinParts.h"
#include "ux/markup/UxXmlNode.h"

BuddyProfilePage::~BuddyProfilePage()
{
    RemoveChildren();
}

bool BuddyProfilePage::Create()
{
    UxXmlNode* node = CreateFromSkin();
    return node && AddSkinParts(*this, node, { { L"View", &m_view }, { L"ButtonBar", &m_buttonBar } });
}

void BuddyProfilePage::OnWillShow()
{
    if (MessengerApp* app = MessengerApp::GetInstance())
        app->GetStatusBarDisclosure().SetTitle(L"친구 프로필");
    m_buttonBar.UpdateBlockLabel();
}

void BuddyProfilePage::Refresh(const std::wstring& buddyId)
{
    if (buddyId.empty() || buddyId != m_view.GetBuddyId())
        return;
    m_view.Invalidate();
    m_buttonBar.Invalidate();
}

void BuddyProfilePage::MoveBuddy(const std::wstring& buddyId, const std::wstring& groupId)
{
    if (buddyId.empty() || buddyId != m_view.GetBuddyId())
        return;
    m_view.SetGroup(groupId);
    m_view.RefreshRow(BuddyProfileView::RowGroup);
}
