#include "app/buddies/BuddySelectPage.h"

#include "app/shell/MessengerApp.h"
#include "messenger/model/BuddyList.h"
#include "messenger/model/ChatSessionList.h"
#include "messenger/protocol/chat/ChatActions.h"
#include "messenger/protocol/connection/TarvPeer.h"
#include "ux/markup/UxXmlNode.h"

BuddySelectPage::~BuddySelectPage()
{
    RemoveChildren();
}

bool BuddySelectPage::Create()
{
    UxXmlNode* node = CreateFromSkin();
    if (!node)
        return false;
    AddChild(&m_searchBar);
    AddChild(&m_view);
    return m_searchBar.Build(node->FindChild(L"SearchBar"), &m_view) && m_view.Build(node->FindChild(L"View"));
}

void BuddySelectPage::SetInviteMode(ChatSession& session)
{
    m_mode = ModeInvite;
    m_chat = session.GetSerial();
    m_receivers.clear();
    m_extraReceivers.clear();
}

void BuddySelectPage::SetReceiverMode(const std::vector<std::wstring>& receivers)
{
    m_mode = ModeReceivers;
    m_chat = 0;
    m_receivers = receivers;
    m_extraReceivers.clear();
}

void BuddySelectPage::ClearSession()
{
    m_mode = ModeNone;
    m_chat = 0;
    m_receivers.clear();
    m_extraReceivers.clear();
    m_searchBar.ClearSearchWord();
    m_view.SetFilter(L"");
    m_view.Clear();
}

void BuddySelectPage::OnWillShow()
{
    if (MessengerApp* app = MessengerApp::GetInstance())
        app->GetStatusBarDisclosure().SetTitle(L"친구 선택");
    // The word of an earlier visit goes, and the filter with it: an empty field must not
    // hide anybody.
    m_searchBar.ClearSearchWord();
    m_view.SetFilter(L"");
    m_view.Reload(m_mode, InChat());
    BuddyList* buddies = BuddyList::GetInstance();
    if (buddies)
        buddies->ClearChecks();
    m_extraReceivers.clear();
    for (const std::wstring& id : m_receivers) {
        if (Buddy* buddy = buddies ? buddies->Find(id) : nullptr)
            buddy->Picked = 1;
        else
            m_extraReceivers.push_back(id);
    }
    m_searchBar.UpdateIcons();
}

void BuddySelectPage::OnWillHide()
{
    // Left by Escape: the ticks are given up.
    if (IsDismissed())
        return;
    if (m_mode == ModeInvite) {
        Invite();
    } else if (m_mode == ModeReceivers) {
        std::vector<std::wstring> receivers = Picked();
        receivers.insert(receivers.end(), m_extraReceivers.begin(), m_extraReceivers.end());
        if (MessengerApp* app = MessengerApp::GetInstance())
            app->GetMemoWritePage().GetView().SetReceivers(receivers);
    }
}

std::vector<std::wstring> BuddySelectPage::Picked()
{
    std::vector<std::wstring> ids;
    if (BuddyList* buddies = BuddyList::GetInstance())
        for (const auto& [id, buddy] : buddies->GetBuddies())
            if (buddy.Picked)
                ids.push_back(buddy.Email);
    return ids;
}

std::set<std::wstring> BuddySelectPage::InChat() const
{
    std::set<std::wstring> ids;
    ChatSessionList* chats = ChatSessionList::GetInstance();
    const ChatSession* session = chats && m_mode == ModeInvite ? chats->FindBySerial(m_chat) : nullptr;
    if (!session)
        return ids;
    for (const ChatParticipant& participant : session->Participants)
        ids.insert(participant.Id);
    // The buddy a new chat waits for is as good as in it.
    if (session->Participants.empty() && !session->PeerId.empty())
        ids.insert(session->PeerId);
    return ids;
}

void BuddySelectPage::Invite()
{
    // The ids are taken first: a send that fails ends the session, and the lists may be
    // emptied before the loop is done. The chat is looked up for every invitation for
    // the same reason.
    for (const std::wstring& id : Picked()) {
        TarvPeer* peer = TarvPeer::GetInstance();
        ChatSessionList* chats = ChatSessionList::GetInstance();
        ChatSession* session = chats ? chats->FindBySerial(m_chat) : nullptr;
        if (!peer || peer->IsResetPending() || !session)
            return;
        InviteToChat(*session, id);
    }
}
