#include "messenger/protocol/chat/PktHandlerUser.h"

#include "messenger/MessengerScreens.h"
#include "messenger/model/ChatSession.h"
#include "messenger/protocol/chat/ChatHandling.h"
#include "messenger/protocol/chat/PktInParticipant.h"
#include "messenger/protocol/codec/PktHandlerFactory.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktHandlerFactory::RegisterClass<PktHandlerUser>({ L"USER" });

} // namespace

bool PktHandlerUser::Handle(TarvPeer*, PktIn& packet)
{
    if (!CheckResult(packet))
        return false;
    const ChatParticipant& participant = static_cast<PktInParticipant&>(packet).Participant;
    ChatSession* session = FindEnvelopeSession();
    if (!session || !IsSaneChatId(participant.Id) || !session->AddParticipant(participant))
        return false;
    if (MessengerScreens* screens = MessengerScreens::GetCurrent())
        screens->ReloadChatInfo(*session);
    if (ChatView* page = session->GetPage()) {
        page->UpdatePeerStatusIcon();
        page->UpdateTitle();
        page->UpdateInputBar();
    }
    return true;
}
