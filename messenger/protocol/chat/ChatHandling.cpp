#include "messenger/protocol/chat/ChatHandling.h"

#include "messenger/model/BuddyList.h"
#include "messenger/model/ChatSessionList.h"
#include "messenger/protocol/chat/ChatActions.h"
#include "messenger/protocol/chat/PktOutCses.h"
#include "messenger/protocol/codec/PktFailure.h"
#include "messenger/protocol/codec/PktIn.h"
#include "messenger/protocol/connection/PktInCrp2.h"
#include "messenger/protocol/connection/PktOutCrp2.h"
#include "messenger/protocol/connection/TarvPeer.h"
#include "ux/core/UxText.h"

#include <vector>

ChatSession* FindEnvelopeSession()
{
    ChatSessionList* chats = ChatSessionList::GetInstance();
    return chats ? chats->FindBySessionId(PktInCrp2::GetCurrentKey()) : nullptr;
}

bool IsSaneChatId(const std::wstring& id)
{
    return !id.empty() && id.size() <= kMaxChatIdLength;
}

void ParticipantNames(const std::wstring& id, const std::wstring& name, const std::wstring& nick,
    std::wstring& shownName, std::wstring& shownNick)
{
    BuddyList* buddies = BuddyList::GetInstance();
    const Buddy* buddy = buddies ? buddies->Find(id) : nullptr;
    shownName = buddy ? buddy->Name : name;
    shownNick = buddy ? buddy->Nick : nick;
}

void SendQueuedLines(TarvPeer* peer, ChatSession& session)
{
    // A send that fails ends the session on a later turn; the chat is looked up again
    // before each line all the same, so that nothing here touches a session that has
    // gone.
    const std::wstring sessionId = session.SessionId;
    std::vector<std::wstring> queued;
    queued.swap(session.Queue);
    ChatSessionList* chats = ChatSessionList::GetInstance();
    for (const std::wstring& text : queued) {
        ChatSession* current = chats ? chats->FindBySessionId(sessionId) : nullptr;
        if (!current || (peer && peer->IsResetPending()))
            break;
        // The page showed each line when it was typed.
        SendChatText(*current, text);
    }
}

bool EndChatWait(const PktIn& refusal)
{
    ChatSessionList* chats = ChatSessionList::GetInstance();
    const int32_t id = refusal.GetTransactionId();
    ChatSession* session = chats && id != 0 ? chats->FindByPendingId(id) : nullptr;
    if (!session)
        return false;
    session->State = 0;
    session->PendingId = 0;
    if (ChatView* page = session->GetPage())
        page->AddLine(FormatString(L"[%d] %s", refusal.GetResult(), GetFailureCodeText(refusal).c_str()),
            ChatView::LineError);
    return true;
}

void ForgetPeerSpoke(ChatSession& session)
{
    if (!session.PeerSpoke)
        return;
    session.PeerSpoke = false;
    if (ChatView* page = session.GetPage())
        page->UpdateInputBar();
}

void ConnectChatServer(
    TarvPeer& peer, ChatSession& session, const std::wstring& host, uint32_t port, const std::wstring& key)
{
    PktOutCses connect;
    connect.Kind = PktOutCses::KindConn;
    connect.EnvelopeKind = PktOutCrp2::KindSs;
    connect.Host = host;
    connect.Port = port;
    connect.Key = key;
    peer.Send(connect);
    session.PendingId = connect.GetTransactionId();
    session.Host = host;
    session.Port = port;
    session.Key = key;
}
