#pragma once

#include "app/options/OptionListView.h"
#include "app/shell/IconTitleBar.h"
#include "app/shell/MainPage.h"

// The fourth main page: the tab bar, a title and the list of settings.
class OptionListPage : public MainPage {
public:
    OptionListPage()
        : MainPage(L"OptionList", TabBar::TabOptions)
    {
    }
    ~OptionListPage() override;

    // Builds the page from "OptionList"; false when a part cannot be built.
    bool Create() override;
    // Its tab is chosen and the values are drawn afresh: a page above may have changed them.
    void OnWillShow() override;

    IconTitleBar& GetTitleBar() { return m_titleBar; }
    OptionListView& GetView() { return m_view; }
    UxWindow* GetKeyView() override { return &m_view; }

private:
    IconTitleBar m_titleBar;
    OptionListView m_view;
};
