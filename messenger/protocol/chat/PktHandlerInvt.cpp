#include "messenger/protocol/chat/PktHandlerInvt.h"

#include "messenger/MessengerScreens.h"
#include "messenger/model/BuddyList.h"
#include "messenger/model/ChatSessionList.h"
#include "messenger/protocol/PktHandlerFactory.h"
#include "messenger/protocol/PktOutCrp2.h"
#include "messenger/protocol/TarvPeer.h"
#include "messenger/protocol/chat/ChatHandling.h"
#include "messenger/protocol/chat/PktInInvt.h"
#include "messenger/protocol/chat/PktOutCses.h"
#include "ux/core/UxText.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktHandlerFactory::RegisterClass<PktHandlerInvt>({ L"INVT" });

} // namespace

bool PktHandlerInvt::Handle(TarvPeer* peer, PktIn& packet)
{
    if (!CheckResult(packet))
        return false;
    auto& invitation = static_cast<PktInInvt&>(packet);
    ChatSessionList* chats = ChatSessionList::GetInstance();
    if (!chats || !peer || !IsSaneChatId(invitation.InviterId) || !IsSaneChatId(invitation.Host)
        || !IsSaneChatId(invitation.Key) || invitation.Port == 0) {
        UxTrace(L"PktHandlerInvt::Handle, an invitation without a usable chat is dropped.\n");
        return false;
    }
    ChatSession* session = chats->FindOneToOne(invitation.InviterId);
    const bool opened = !session || session->State == 1;
    if (opened && !(session = chats->NewSession()))
        return false;

    PktOutCses connect;
    connect.Kind = PktOutCses::KindConn;
    connect.EnvelopeKind = PktOutCrp2::KindSs;
    connect.Host = invitation.Host;
    connect.Port = invitation.Port;
    connect.Key = invitation.Key;
    peer->Send(connect);

    session->PendingId = connect.GetTransactionId();
    session->PeerId = invitation.InviterId;
    session->Host = invitation.Host;
    session->Port = invitation.Port;
    session->Key = invitation.Key;
    BuddyList* buddies = BuddyList::GetInstance();
    const Buddy* buddy = buddies ? buddies->Find(invitation.InviterId) : nullptr;
    session->PeerName = buddy ? buddy->Name : invitation.InviterId;
    if (opened)
        if (MessengerScreens* screens = MessengerScreens::GetCurrent())
            screens->AddChatSession(*session);
    return true;
}
