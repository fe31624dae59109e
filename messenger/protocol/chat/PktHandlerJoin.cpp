#include "messenger/protocol/chat/PktHandlerJoin.h"

#include "messenger/MessengerScreens.h"
#include "messenger/model/Buddy.h"
#include "messenger/model/ChatSessionList.h"
#include "messenger/protocol/chat/ChatHandling.h"
#include "messenger/protocol/chat/PktInParticipant.h"
#include "messenger/protocol/codec/PktHandlerFactory.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktHandlerFactory::RegisterClass<PktHandlerJoin>({ L"JOIN" });

} // namespace

bool PktHandlerJoin::Handle(TarvPeer* peer, PktIn& packet)
{
    if (!CheckResult(packet))
        return false;
    const ChatParticipant& participant = static_cast<PktInParticipant&>(packet).Participant;
    ChatSession* session = FindEnvelopeSession();
    if (!session || !IsSaneChatId(participant.Id))
        return false;
    session->State = 0;
    if (!session->AddParticipant(participant))
        return false;
    if (MessengerScreens* screens = MessengerScreens::GetCurrent())
        screens->ReloadChatInfo(*session);
    if (ChatView* page = session->GetPage()) {
        page->UpdateTitle();
        if (session->Participants.size() > 1)
            page->AddLine(
                NameWithNick(participant.Name, participant.Nick) + L" 님이 입장하였습니다.", ChatView::LineSystem);
    }

    SendQueuedLines(peer, *session);
    return true;
}
