#include "messenger/protocol/chat/PktHandlerRess.h"

#include "messenger/model/ChatSessionList.h"
#include "messenger/protocol/PktHandlerFactory.h"
#include "messenger/protocol/PktOutCrp2.h"
#include "messenger/protocol/TarvPeer.h"
#include "messenger/protocol/chat/ChatHandling.h"
#include "messenger/protocol/chat/PktInRess.h"
#include "messenger/protocol/chat/PktOutCses.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktHandlerFactory::RegisterClass<PktHandlerRess>({ L"RESS" });

} // namespace

bool PktHandlerRess::Handle(TarvPeer* peer, PktIn& packet)
{
    if (!CheckResult(packet))
        return false;
    auto& answer = static_cast<PktInRess&>(packet);
    ChatSessionList* chats = ChatSessionList::GetInstance();
    ChatSession* session = chats ? chats->FindByPendingId(answer.GetTransactionId()) : nullptr;
    // A chat closed before its server came needs no seat on it: connecting anyway
    // would hold one on the service until sign-out.
    if (!session || !peer || !IsSaneChatId(answer.Host) || !IsSaneChatId(answer.Key))
        return false;
    PktOutCses connect;
    connect.Kind = PktOutCses::KindConn;
    connect.EnvelopeKind = PktOutCrp2::KindSs;
    connect.Host = answer.Host;
    connect.Port = answer.Port;
    connect.Key = answer.Key;
    peer->Send(connect);
    session->PendingId = connect.GetTransactionId();
    session->Host = answer.Host;
    session->Port = answer.Port;
    session->Key = answer.Key;
    return true;
}
