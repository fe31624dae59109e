#pragma once

#include "app/shell/EmptyPage.h"
#include "app/shell/TabBar.h"

// One of the four main pages (buddy list, chat list, memo list, options): each carries
// the tab bar that switches between them, with its own tab selected.
class MainPage : public EmptyPage {
public:
    MainPage(std::wstring name, int32_t tab);
    ~MainPage() override;

    // The page's own tab is the selected one whenever it comes up, and its list shows
    // no row pressed.
    void OnWillShow() override;

    TabBar& GetTabBar() { return m_tabBar; }

protected:
    // The page's section as EmptyPage reads it, then the tab bar; null when either fails.
    UxXmlNode* CreateFromSkin();

private:
    TabBar m_tabBar;
    int32_t m_tab;
};
