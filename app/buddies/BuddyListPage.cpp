#include "app/buddies/BuddyListPage.h"

#include "app/shell/MessengerApp.h"
#include "app/shell/SkinParts.h"
#include "ux/markup/UxXmlNode.h"

BuddyListPage::~BuddyListPage()
{
    RemoveChildren();
}

bool BuddyListPage::Create()
{
    UxXmlNode* node = CreateFromSkin();
    if (!node)
        return false;
    AddChild(&m_searchBar);
    AddChild(&m_view);
    return m_searchBar.Build(node->FindChild(L"SearchBar"), &m_view)
        && m_view.Build(node->FindChild(L"View"));
}

void BuddyListPage::OnWillShow()
{
    MainPage::OnWillShow();
    GetTabBar().UpdateNotifyIcons();
    m_searchBar.UpdateIcons();
    if (MessengerApp* app = MessengerApp::GetInstance())
        app->GetMenuBar().ShowSystemMenuButton();
}
