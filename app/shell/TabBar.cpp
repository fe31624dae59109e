#include "app/shell/TabBar.h"

#include "app/shell/MessengerApp.h"
#include "app/shell/SkinParts.h"
#include "messenger/model/ChatSessionList.h"
#include "ux/core/UxNavigationController.h"
#include "ux/widgets/UxCheckButton.h"

TabBar::~TabBar()
{
    for (UxWindow* icon :
        { static_cast<UxWindow*>(&ChatNotifyIcon), static_cast<UxWindow*>(&MemoNotifyIcon) })
        if (UxWindow* tab = icon->GetParent())
            tab->RemoveChild(icon);
}

bool TabBar::Create()
{
    UxXmlNode* node = SelectSection(L"TabBar::Create", L"TabBar");
    if (!node || !UxTabWindow::ApplySkin(node))
        return false;
    UxCheckButton* chats = GetTab(TabChats);
    UxCheckButton* memos = GetTab(TabMemos);
    if (!chats || !memos)
        return false;
    UxXmlNode* look = node->FindChild(L"NotifyIcon");
    chats->AddChild(&ChatNotifyIcon);
    memos->AddChild(&MemoNotifyIcon);
    if (look && (!ChatNotifyIcon.ApplySkin(look) || !MemoNotifyIcon.ApplySkin(look)))
        return false;
    UpdateNotifyIcons();
    return true;
}

void TabBar::OnTabSelected(int32_t index)
{
    MessengerApp* app = MessengerApp::GetInstance();
    UxNavigationController* navigation = UxNavigationController::GetInstance();
    if (m_quiet || !app || !navigation)
        return;
    UxWindow* pages[] = { &app->GetBuddyListPage(), &app->GetChatListPage(), &app->GetMemoListPage(),
        &app->GetOptionListPage() };
    if (index >= 0 && index < 4)
        navigation->SetPage(pages[index]);
}

void TabBar::ShowSelected(int32_t index)
{
    m_quiet = true;
    Select(index);
    m_quiet = false;
}

void TabBar::UpdateNotifyIcons()
{
    ChatSessionList* chats = ChatSessionList::GetInstance();
    ChatNotifyIcon.SetVisible(chats && chats->HasUnread());
    // Memos: shown while the memo list's unread flag is set.
    MemoNotifyIcon.SetVisible(false);
    ChatNotifyIcon.Invalidate();
    MemoNotifyIcon.Invalidate();
}
