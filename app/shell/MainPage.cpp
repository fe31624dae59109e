#include "app/shell/MainPage.h"

#include "app/shell/MessengerApp.h"
#include "ux/widgets/UxListWindow.h"

MainPage::MainPage(std::wstring name, int32_t tab)
    : EmptyPage(std::move(name))
    , m_tab(tab)
{
}

MainPage::~MainPage()
{
    RemoveChild(&m_tabBar);
}

UxXmlNode* MainPage::CreateFromSkin()
{
    UxXmlNode* node = EmptyPage::CreateFromSkin();
    if (!node)
        return nullptr;
    AddChild(&m_tabBar);
    if (!m_tabBar.Create())
        return nullptr;
    m_tabBar.ShowSelected(m_tab);
    return node;
}

void MainPage::OnWillShow()
{
    m_tabBar.ShowSelected(m_tab);
    m_tabBar.UpdateNotifyIcons();
    // The system menu belongs to the buddy list.
    if (MessengerApp* app = MessengerApp::GetInstance(); app && m_tab == TabBar::TabBuddies)
        app->GetMenuBar().ShowSystemMenuButton();
    // The row tapped to open another page was pressed then; back here it is not.
    for (UxWindow* child = GetFirstChild(); child; child = child->GetNextSibling())
        if (auto* list = dynamic_cast<UxListWindow*>(child))
            list->SetSelection(-1);
}
