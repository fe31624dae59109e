#include "app/chat/ChatListView.h"

#include "app/chat/ChatPage.h"
#include "app/shell/MessengerApp.h"
#include "app/shell/SkinParts.h"
#include "app/shell/StatusText.h"
#include "messenger/model/BuddyList.h"
#include "messenger/model/ChatSessionList.h"
#include "ux/core/UxRect.h"
#include "ux/core/UxText.h"
#include "ux/graphics/UxDeviceContext.h"
#include "ux/markup/UxXmlNode.h"
#include "ux/widgets/UxListItemPainter.h"

ChatListView::~ChatListView()
{
    if (m_helpText.GetParent() == this)
        RemoveChild(&m_helpText);
}

bool ChatListView::Create(UxXmlNode* node)
{
    if (!node || !ApplySkin(node))
        return false;
    if (UxXmlNode* height = node->FindChild(L"_TableViewItemHeight"); height && height->GetInt() > 0)
        m_itemHeight = height->GetInt();
    if (UxXmlNode* back = node->FindChild(L"_BackColor"))
        m_backColor = back->GetColor();
    if (!ReadRowItem(node, L"SelectionBar", m_selectionBar, m_selectionRect)
        || !ReadRowItem(node, L"Line", m_line, m_lineRect)
        || !ReadRowItem(node, L"BuddyIcon", m_buddyIcon, m_buddyIconRect)
        || !ReadRowItem(node, L"NewIcon", m_newIcon, m_newIconRect)
        || !ReadRowText(node, L"Title", m_title, m_titleRect)
        || !ReadRowText(node, L"Date", m_date, m_dateRect)
        || !ReadRowItem(node, L"DisclosureButton", m_disclosure, m_disclosureRect))
        return false;
    if (!AddSkinParts(*this, node, { { L"HelpText", &m_helpText } }))
        return false;
    UpdateHelpText();
    return true;
}

void ChatListView::UpdateHelpText()
{
    const bool empty = GetRowCount() == 0;
    if (m_helpText.IsVisible() != empty) {
        m_helpText.SetVisible(empty);
        Invalidate();
    }
}

void ChatListView::AddSession(ChatSession& session)
{
    UxListRow row;
    row.kind = UxListRow::Item;
    row.fullHeight = m_itemHeight;
    row.data = reinterpret_cast<uintptr_t>(&session);
    AddRow(row);
    UpdateHelpText();
}

void ChatListView::Reload()
{
    Clear();
    Invalidate();
    SetAnimate(false);
    if (ChatSessionList* chats = ChatSessionList::GetInstance())
        for (size_t i = 0; i < chats->GetCount(); ++i)
            AddSession(*chats->GetAt(i));
    SetAnimate(true);
    UpdateHelpText();
}

void ChatListView::UpdateSession(const ChatSession& session)
{
    for (int32_t i = 0; i < GetRowCount(); ++i)
        if (GetSession(i) == &session)
            RefreshRow(i);
}

ChatSession* ChatListView::GetSession(int32_t index) const
{
    return IsValidRow(index) ? reinterpret_cast<ChatSession*>(GetRow(index).data) : nullptr;
}

std::wstring ChatListView::Title(const ChatSession& session)
{
    const size_t n = session.Participants.size();
    if (n < 2)
        return session.PeerName + L" 님과 대화";
    return FormatString(L"%s 님 외 %d 명과 대화", session.Participants.front().Name.c_str(), int(n - 1));
}

bool ChatListView::PaintBackground(UxDeviceContext* surface, const plat::RECT& rect)
{
    surface->FillRect(m_backColor, rect);
    return true;
}

bool ChatListView::DrawRow(UxDeviceContext* surface, int32_t index, const plat::RECT& clip, const plat::RECT& rowClip)
{
    const ChatSession* session = GetSession(index);
    if (IsRectEmpty(clip) || !session)
        return true;
    const plat::POINT origin = GetSurfaceOffset();
    const plat::RECT rowRect = OffsetRect(GetRowRect(index), origin.x, origin.y);
    UxListItemPainter painter(this, surface, index, rowClip, rowRect);
    const bool selected = index == GetSelection();
    if (selected)
        painter.DrawImage(m_selectionBar, m_selectionRect);
    else
        surface->FillRect(m_backColor, clip);

    // A peer who is no buddy shows as online.
    const Buddy* peer = FindChatBuddy(session->PeerId);
    m_buddyIcon.SetImageCoord(peer ? GetStatusIconBig(peer->Status, peer->Flags) : GetStatusIconBig(0, 0));
    painter.DrawImage(m_buddyIcon, m_buddyIconRect);
    if (session->Unread)
        painter.DrawImage(m_newIcon, m_newIconRect);
    UxTextItem& title = m_title[selected ? 1 : 0];
    title.SetText(Title(*session));
    painter.DrawText(title, m_titleRect);
    UxTextItem& date = m_date[selected ? 1 : 0];
    date.SetText(session->Created.Format(L"yyyy-MM-dd hh:mm:ss"));
    painter.DrawText(date, m_dateRect);
    painter.DrawImage(m_disclosure, m_disclosureRect);
    painter.DrawImage(m_line, m_lineRect);
    return true;
}

void ChatListView::OnRowClicked(int32_t index, int32_t x, int32_t)
{
    ChatSession* session = GetSession(index);
    MessengerApp* app = MessengerApp::GetInstance();
    if (!session || !app)
        return;
    // The strip before the arrow is as wide as the arrow sits below the row's top.
    if (x > m_disclosureRect.left - m_disclosureRect.top) {
        app->GetChatInfoPage().GetView().SetSession(session);
        app->GetChatInfoPage().GetView().Reload();
        app->PushScreen(&app->GetStatusBarDisclosure(), &app->GetChatInfoPage(), MessengerApp::PushFromRight);
        return;
    }
    if (auto* page = dynamic_cast<UxWindow*>(session->GetPage()))
        app->PushScreen(&app->GetStatusBarChat(), page, MessengerApp::CoverFromBottom);
}
