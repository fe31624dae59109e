#include "messenger/protocol/chat/PktHandlerEntr.h"

#include "messenger/model/ChatSession.h"
#include "messenger/model/Me.h"
#include "messenger/protocol/PktHandlerFactory.h"
#include "messenger/protocol/PktOutCrp2.h"
#include "messenger/protocol/chat/ChatActions.h"
#include "messenger/protocol/chat/ChatHandling.h"
#include "messenger/protocol/chat/PktOutCtoc.h"
#include "messenger/protocol/chat/PktOutInvt.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktHandlerFactory::RegisterClass<PktHandlerEntr>({ L"ENTR" });

} // namespace

bool PktHandlerEntr::Handle(TarvPeer* peer, PktIn& packet)
{
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
    PktOutInvt invitation;
    if (const Me* me = Me::GetInstance())
        invitation.InviterId = me->Id;
    invitation.Host = session->Host;
    invitation.Port = session->Port;
    invitation.Key = session->Key;
    PktOutCtoc relay;
    relay.Target = session->PeerId;
    relay.Delivery = PktOutCtoc::DeliveryA;
    if (relay.SetPayload(invitation))
        SendInEnvelope(PktOutCrp2::KindDp, L"", relay);
    return true;
}
