#include "app/chat/ChatListView.h"

#include "app/chat/ChatPage.h"
#include "app/shell/MessengerApp.h"
#include "app/shell/SkinParts.h"
#include "app/shell/StatusText.h"
#include "messenger/model/BuddyList.h"
#include "messenger/model/ChatSessionList.h"
#include "ux/core/UxText.h"
#include "ux/markup/UxXmlNode.h"
#include "ux/widgets/UxListItemPainter.h"

ChatListView::~ChatListView()
{
    RemoveChildren();
}

bool ChatListView::ApplySkin(UxXmlNode* node)
{
    if (!FramedList::ApplySkin(node) || !m_buddyIcon.Read(node, L"BuddyIcon")
        || !m_newIcon.Read(node, L"NewIcon") || !m_title.Read(node, L"Title") || !m_date.Read(node, L"Date")
        || !m_disclosure.Read(node, L"DisclosureButton")
        || !AddSkinParts(*this, node, { { L"HelpText", &m_helpText } }))
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
    AddRow(m_frame.MakeRow(UxListRow::Item, reinterpret_cast<uintptr_t>(&session)));
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

bool ChatListView::DrawItems(UxListItemPainter& painter, int32_t index, bool selected)
{
    const ChatSession* session = GetSession(index);
    if (!session)
        return false;
    // A peer who is no buddy shows as online.
    const Buddy* peer = FindChatBuddy(session->PeerId);
    m_buddyIcon.item.SetImageCoord(
        peer ? GetStatusIconBig(peer->ShownStatus(), peer->Flags) : GetStatusIconBig(0, 0));
    m_buddyIcon.Draw(painter);
    if (session->Unread)
        m_newIcon.Draw(painter);
    m_title.Draw(painter, Title(*session), selected);
    m_date.Draw(painter, session->Created.Format(L"yyyy-MM-dd hh:mm:ss"), selected);
    m_disclosure.Draw(painter);
    return true;
}

void ChatListView::OnRowClicked(int32_t index, int32_t x, int32_t)
{
    ChatSession* session = GetSession(index);
    MessengerApp* app = MessengerApp::GetInstance();
    if (!session || !app)
        return;
    if (IsOnItem(x, m_disclosure.rect)) {
        app->GetChatInfoPage().GetView().SetSession(session);
        app->GetChatInfoPage().GetView().Reload();
        app->PushScreen(&app->GetStatusBarDisclosure(), &app->GetChatInfoPage(), MessengerApp::PushFromRight);
        return;
    }
    if (auto* page = dynamic_cast<UxWindow*>(session->GetPage()))
        app->PushScreen(&app->GetStatusBarChat(), page, MessengerApp::CoverFromBottom);
}
