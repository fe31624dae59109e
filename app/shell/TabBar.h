#pragma once

#include "ux/widgets/UxImageWindow.h"
#include "ux/widgets/UxTabWindow.h"

// The four tabs at the top of the main pages (buddy list, chats, memos, options), with
// unread marks on the chat and memo tabs.
class TabBar : public UxTabWindow {
public:
    enum Tab { TabBuddies = 0, TabChats = 1, TabMemos = 2, TabOptions = 3 };

    ~TabBar() override;

    bool Create();
    // Shows the page of the tab; the status bar stays.
    void OnTabSelected(int32_t index) override;
    // Checks the tab without changing the page (the page is coming up already).
    void ShowSelected(int32_t index);
    // The marks follow the unread chats and memos.
    void UpdateNotifyIcons();

    UxImageWindow ChatNotifyIcon;
    UxImageWindow MemoNotifyIcon;

private:
    bool m_quiet = false;
};
