#pragma once

#include "app/buddies/BuddyRequestListView.h"
#include "app/shell/EmptyPage.h"

// The buddy requests waiting for an answer, under the title "친구 요청함".
class BuddyRequestListPage : public EmptyPage {
public:
    BuddyRequestListPage()
        : EmptyPage(L"BuddyRequestList")
    {
    }
    ~BuddyRequestListPage() override;

    bool Create() override;
    void OnWillShow() override;
    // The lists changed: the rows follow while the page is the one shown.
    void Refresh();

    BuddyRequestListView& GetView() { return m_view; }
    UxWindow* GetKeyView() override { return &m_view; }

private:
    BuddyRequestListView m_view;
};
