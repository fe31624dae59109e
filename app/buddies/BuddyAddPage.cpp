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
    UxXmlNode* node = CreateFromSkin();
    return node && AddSkinParts(*this, node, { { L"View", &m_view } });
}

void BuddyAddPage::OnWillShow()
{
    if (MessengerApp* app = MessengerApp::GetInstance()) {
        StatusBarDisclosure& bar = app->GetStatusBarDisclosure();
        bar.SetTitle(L"친구 추가");
        bar.ShowAddButton(bar.BuddyAddButton);
    }
    m_view.FocusOnShow();
}

bool BuddyAddPage::OnEnter()
{
    if (m_view.GroupStop.IsFocused()) {
        m_view.OpenGroupChooser();
        return true;
    }
    return StatusBarDisclosure::Press(&StatusBarDisclosure::BuddyAddButton);
}

void BuddyAddPage::OnWillHide()
{
    if (MessengerApp* app = MessengerApp::GetInstance())
        app->GetStatusBarDisclosure().HideAddButtons();
}
