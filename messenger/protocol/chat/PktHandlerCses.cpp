#include "messenger/protocol/chat/PktHandlerCses.h"

#include "messenger/model/ChatSessionList.h"
#include "messenger/model/Me.h"
#include "messenger/protocol/chat/ChatActions.h"
#include "messenger/protocol/chat/ChatHandling.h"
#include "messenger/protocol/chat/PktInCses.h"
#include "messenger/protocol/chat/PktOutCses.h"
#include "messenger/protocol/chat/PktOutEntr.h"
#include "messenger/protocol/codec/PktHandlerFactory.h"
#include "messenger/protocol/login/ClientVersion.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktHandlerFactory::RegisterClass<PktHandlerCses>({ L"CSES" });

} // namespace

bool PktHandlerCses::Handle(TarvPeer*, PktIn& packet)
{
    if (!packet.Succeeded() && EndChatWait(packet))
        return false;
    if (!CheckResult(packet))
        return false;
    auto& answer = static_cast<PktInCses&>(packet);
    ChatSessionList* chats = ChatSessionList::GetInstance();
    if (answer.Kind == PktOutCses::KindKill) {
        // A chat whose session on its chat server ended reaches nobody through it.
        ChatSession* ended = chats && answer.Flag ? chats->FindBySessionId(answer.Text) : nullptr;
        if (ended)
            ForgetPeerSpoke(*ended);
        return true;
    }
    if (answer.Kind != PktOutCses::KindConn)
        return true;
    // A chat closed meanwhile has vanished; so has an answer nobody asked for.
    ChatSession* session = chats ? chats->FindByPendingId(answer.GetTransactionId()) : nullptr;
    if (!session || !IsSaneChatId(answer.SessionId))
        return false;
    session->SessionId = answer.SessionId;
    PktOutEntr enter;
    if (const Me* me = Me::GetInstance()) {
        enter.UserId = me->Id;
        enter.Nick = me->Nick;
        enter.Name = me->Name;
    }
    enter.EntryText = answer.Key;
    enter.TextEncoding = 1;
    enter.ClientMode = 0;
    enter.Version = L"1.1";
    enter.Flag = 1;
    enter.ClientVersion = kClientVersion;
    enter.ClientKind = L"ko.wm";
    SendInEnvelope(answer.EnvelopeKind, session->SessionId, enter);
    // The entry answers for the chat now: its refusal ends the wait like the others.
    session->PendingId = enter.GetTransactionId();
    return true;
}
