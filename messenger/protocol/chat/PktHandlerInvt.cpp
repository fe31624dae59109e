#include "messenger/protocol/chat/PktHandlerInvt.h"

#include "messenger/MessengerScreens.h"
#include "messenger/model/BuddyList.h"
#include "messenger/model/ChatSessionList.h"
#include "messenger/protocol/chat/ChatHandling.h"
#include "messenger/protocol/chat/PktInInvt.h"
#include "messenger/protocol/codec/PktHandlerFactory.h"
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
    // Both opened the chat at the same moment: ours, still waiting for its own chat
    // server (so it has invited nobody yet), takes the invitation and goes where the
    // inviter already is, with what was typed in it. Its own request is left to come
    // back to no chat.
    const bool waiting
        = session && session->State == 1 && session->SessionId.empty() && session->Participants.empty();
    const bool opened = !session || (session->State == 1 && !waiting);
    if (opened && !(session = chats->NewSession()))
        return false;

    ConnectChatServer(*peer, *session, invitation.Host, invitation.Port, invitation.Key);
    session->PeerId = invitation.InviterId;
    BuddyList* buddies = BuddyList::GetInstance();
    const Buddy* buddy = buddies ? buddies->Find(invitation.InviterId) : nullptr;
    session->PeerName = buddy ? buddy->Name : invitation.InviterId;
    if (opened)
        if (MessengerScreens* screens = MessengerScreens::GetCurrent())
            screens->AddChatSession(*session);
    return true;
}
