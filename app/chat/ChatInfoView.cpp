#include "app/chat/ChatInfoView.h"

#include "app/chat/ChatPage.h"
#include "app/shell/MessengerApp.h"
#include "app/shell/SkinParts.h"
#include "app/shell/StatusText.h"
#include "messenger/model/Buddy.h"
#include "messenger/model/ChatSession.h"
#include "messenger/model/GroupList.h"
#include "ux/core/UxNavigationController.h"
#include "ux/core/UxRect.h"
#include "ux/graphics/UxDeviceContext.h"
#include "ux/markup/UxXmlNode.h"
#include "ux/widgets/UxListItemPainter.h"

bool ChatInfoView::Create(UxXmlNode* node)
{
    if (!node || !ApplySkin(node))
        return false;
    if (UxXmlNode* height = node->FindChild(L"_TableViewItemHeight"); height && height->GetInt() > 0)
        m_itemHeight = height->GetInt();
    if (UxXmlNode* back = node->FindChild(L"_BackColor"))
        m_backColor = back->GetColor();
    return ReadRowItem(node, L"SelectionBar", m_selectionBar, m_selectionRect)
        && ReadRowItem(node, L"Line", m_line, m_lineRect)
        && ReadRowItem(node, L"BuddyIcon", m_buddyIcon, m_buddyIconRect)
        && ReadRowItem(node, L"BuddyName", m_buddyName, m_buddyNameRect)
        && ReadRowText(node, L"BuddyNick", m_buddyNick, m_buddyNickRect)
        && ReadRowItem(node, L"DisclosureButton", m_disclosure, m_disclosureRect);
}

void ChatInfoView::Forget(const ChatSession* session)
{
    if (session != m_session)
        return;
    m_session = nullptr;
    Clear();
    Invalidate();
}

void ChatInfoView::Reload()
{
    Clear();
    Invalidate();
    if (!m_session)
        return;
    UxListRow row;
    row.kind = UxListRow::Item;
    row.fullHeight = m_itemHeight;
    for (size_t i = 0; i < m_session->Participants.size(); ++i)
        AddRow(row);
    StopAnimation();
}

bool ChatInfoView::IsShowingSession(const ChatSession& session) const
{
    UxNavigationController* navigation = UxNavigationController::GetInstance();
    MessengerApp* app = MessengerApp::GetInstance();
    return navigation && app && navigation->GetPage() == &app->GetChatInfoPage() && m_session == &session;
}

bool ChatInfoView::PaintBackground(UxDeviceContext* surface, const plat::RECT& rect)
{
    surface->FillRect(m_backColor, rect);
    return true;
}

bool ChatInfoView::DrawRow(UxDeviceContext* surface, int32_t index, const plat::RECT& clip, const plat::RECT& rowClip)
{
    if (IsRectEmpty(clip) || !m_session || index < 0 || size_t(index) >= m_session->Participants.size())
        return true;
    const ChatParticipant& participant = m_session->Participants[size_t(index)];
    const plat::POINT origin = GetSurfaceOffset();
    const plat::RECT rowRect = OffsetRect(GetRowRect(index), origin.x, origin.y);
    UxListItemPainter painter(this, surface, index, rowClip, rowRect);
    const bool selected = index == GetSelection();
    if (selected)
        painter.DrawImage(m_selectionBar, m_selectionRect);
    else
        surface->FillRect(m_backColor, clip);

    const Buddy* buddy = FindChatBuddy(participant.Id);
    m_buddyIcon.SetImageCoord(buddy ? GetStatusIconBig(buddy->Status, buddy->Flags) : GetStatusIconBig(0, 0));
    painter.DrawImage(m_buddyIcon, m_buddyIconRect);
    m_buddyName.SetText(buddy ? buddy->Name : participant.Name);
    painter.DrawText(m_buddyName, m_buddyNameRect);
    UxTextItem& nick = m_buddyNick[selected ? 1 : 0];
    nick.SetText(buddy ? buddy->Nick : participant.Nick);
    painter.DrawText(nick, m_buddyNickRect);
    if (buddy)
        painter.DrawImage(m_disclosure, m_disclosureRect);
    painter.DrawImage(m_line, m_lineRect);
    return true;
}

void ChatInfoView::OnRowClicked(int32_t index, int32_t, int32_t)
{
    MessengerApp* app = MessengerApp::GetInstance();
    GroupList* groups = GroupList::GetInstance();
    if (!app || !groups || !m_session || index < 0 || size_t(index) >= m_session->Participants.size())
        return;
    const Buddy* buddy = FindChatBuddy(m_session->Participants[size_t(index)].Id);
    const Group* group = buddy ? groups->FindByMember(buddy->Id) : nullptr;
    if (!group)
        return;
    app->GetBuddyProfilePage().SetBuddy(buddy->Id, group->Id);
    app->PushScreen(&app->GetStatusBarDisclosure(), &app->GetBuddyProfilePage(), MessengerApp::PushFromRight);
}
