#pragma once

#include "app/buddies/BuddyListSearchBar.h"
#include "app/buddies/BuddyListView.h"
#include "app/shell/MainPage.h"

// The first of the main pages and where a sign-in ends: the tab bar, the search bar
// and the buddy list.
class BuddyListPage : public MainPage {
public:
    BuddyListPage()
        : MainPage(L"BuddyList", TabBar::TabBuddies)
    {
    }
    ~BuddyListPage() override;

    bool Create() override;
    void OnWillShow() override;
    // Empties the search word; the filter and the icons stay (the session is ending).
    void ClearSearchWord() { m_searchBar.ClearSearchWord(); }

    BuddyListSearchBar& GetSearchBar() { return m_searchBar; }
    BuddyListView& GetView() { return m_view; }
    UxWindow* GetKeyView() override { return &m_view; }

private:
    BuddyListSearchBar m_searchBar;
    BuddyListView m_view;
};
