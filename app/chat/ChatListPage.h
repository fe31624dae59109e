#pragma once

#include "app/shell/MainPage.h"

// The screen for the open chats; an empty page until it is built.
class ChatListPage : public MainPage {
public:
    ChatListPage()
        : MainPage(L"ChatList", TabBar::TabChats)
    {
    }
};
