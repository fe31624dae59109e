#pragma once

#include "app/chat/ChatListView.h"
#include "app/shell/IconTitleBar.h"
#include "app/shell/MainPage.h"

// The second of the main pages: the tab bar, its title and the open chats.
class ChatListPage : public MainPage {
public:
    ChatListPage()
        : MainPage(L"ChatList", TabBar::TabChats)
    {
    }
    ~ChatListPage() override;

    bool Create() override;
    void OnWillShow() override;

    IconTitleBar& GetTitleBar() { return m_titleBar; }
    ChatListView& GetView() { return m_view; }
    UxWindow* GetKeyView() override { return &m_view; }

private:
    IconTitleBar m_titleBar;
    ChatListView m_view;
};
