#include "messenger/protocol/chat/PktHandlerQuit.h"

#include "messenger/MessengerScreens.h"
#include "messenger/model/Buddy.h"
#include "messenger/model/ChatSession.h"
#include "messenger/protocol/chat/ChatHandling.h"
#include "messenger/protocol/codec/PktHandlerFactory.h"
#include "messenger/protocol/codec/PktInSimple.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktHandlerFactory::RegisterClass<PktHandlerQuit>({ L"QUIT" });

} // namespace

bool PktHandlerQuit::Handle(TarvPeer*, PktIn& packet)
{
    if (!CheckResult(packet))
        return false;
    const std::wstring id = static_cast<PktInSimple&>(packet).GetText1();
    ChatSession* session = FindEnvelopeSession();
    const ChatParticipant* participant = session ? session->FindParticipant(id) : nullptr;
    if (!participant)
        return false;
    ChatView* page = session->GetPage();
    if (page && session->Participants.size() > 1) {
        std::wstring name, nick;
        ParticipantNames(id, participant->Name, participant->Nick, name, nick);
        page->AddLine(NameWithNick(name, nick) + L" 님이 퇴장하였습니다.", ChatView::LineSystem);
    }
    // She who left can no longer be answered here, whatever she said before (her status
    // may say nothing of it: one shown as offline leaves as offline).
    if (id == session->PeerId)
        session->PeerSpoke = false;
    session->RemoveParticipant(id);
    // Who has left types no more: the date line does not go on telling it.
    if (session->TypingId == id) {
        session->TypingId.clear();
        if (page)
            page->SetDate(kIdleDate);
    }
    if (MessengerScreens* screens = MessengerScreens::GetCurrent())
        screens->ReloadChatInfo(*session);
    // The chat goes on with whoever stays: the first of them becomes its peer and title.
    if (!session->FindParticipant(session->PeerId) && !session->Participants.empty()) {
        session->PeerId = session->Participants.front().Id;
        session->PeerName = session->Participants.front().Name;
    }
    if (page) {
        page->UpdateTitle();
        page->UpdatePeerStatusIcon();
        page->UpdateInputBar();
    }
    return true;
}
