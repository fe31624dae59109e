#include "messenger/protocol/chat/PktHandlerRess.h"

#include "messenger/model/ChatSessionList.h"
#include "messenger/protocol/chat/ChatHandling.h"
#include "messenger/protocol/chat/PktInRess.h"
#include "messenger/protocol/codec/PktHandlerFactory.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktHandlerFactory::RegisterClass<PktHandlerRess>({ L"RESS" });

} // namespace

bool PktHandlerRess::Handle(TarvPeer* peer, PktIn& packet)
{
    auto& answer = static_cast<PktInRess&>(packet);
    if (!answer.Succeeded() && EndChatWait(answer))
        return false;
    if (!CheckResult(packet))
        return false;
    ChatSessionList* chats = ChatSessionList::GetInstance();
    ChatSession* session = chats ? chats->FindByPendingId(answer.GetTransactionId()) : nullptr;
    // A chat closed before its server came needs no seat on it: connecting anyway
    // would hold one on the service until sign-out.
    if (!session || !peer || !IsSaneChatId(answer.Host) || !IsSaneChatId(answer.Key))
        return false;
    ConnectChatServer(*peer, *session, answer.Host, answer.Port, answer.Key);
    return true;
}
