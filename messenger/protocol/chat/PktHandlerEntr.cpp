#include "messenger/protocol/chat/PktHandlerEntr.h"

#include "messenger/model/ChatSession.h"
#include "messenger/protocol/chat/ChatActions.h"
#include "messenger/protocol/chat/ChatHandling.h"
#include "messenger/protocol/codec/PktHandlerFactory.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktHandlerFactory::RegisterClass<PktHandlerEntr>({ L"ENTR" });

} // namespace

bool PktHandlerEntr::Handle(TarvPeer* peer, PktIn& packet)
{
    if (!packet.Succeeded() && EndChatWait(packet))
        return false;
    if (!CheckResult(packet))
        return false;
    ChatSession* session = FindEnvelopeSession();
    if (!session)
        return false;
    if (!session->Participants.empty()) {
        // Entered through an invitation: the others are here already, and whatever was
        // typed in this chat before it took the invitation goes to them.
        session->State = 0;
        SendQueuedLines(peer, *session);
        return true;
    }
    InviteToChat(*session, session->PeerId);
    return true;
}
