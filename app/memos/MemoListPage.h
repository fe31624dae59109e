#pragma once

#include "app/memos/MemoListTitleBar.h"
#include "app/memos/MemoListView.h"
#include "app/shell/MainPage.h"

// The third of the main pages: the tab bar, the box's title bar and its memos.
class MemoListPage : public MainPage {
public:
    MemoListPage()
        : MainPage(L"MemoList", TabBar::TabMemos)
    {
    }
    ~MemoListPage() override;

    bool Create() override;

    MemoListTitleBar& GetTitleBar() { return m_titleBar; }
    MemoListView& GetView() { return m_view; }
    UxWindow* GetKeyView() override { return &m_view; }

private:
    MemoListTitleBar m_titleBar;
    MemoListView m_view;
};
