#include "messenger/protocol/chat/PktHandlerJoin.h"

#include "messenger/MessengerScreens.h"
#include "messenger/model/ChatSessionList.h"
#include "messenger/protocol/PktHandlerFactory.h"
#include "messenger/protocol/PktInCrp2.h"
#include "messenger/protocol/TarvPeer.h"
#include "messenger/protocol/chat/ChatActions.h"
#include "messenger/protocol/chat/ChatHandling.h"
#include "messenger/protocol/chat/PktInParticipant.h"
#include "ux/core/UxText.h"

#include <vector>

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
            page->AddLine(FormatString(L"%s (%s) 님이 입장하였습니다.", participant.Name.c_str(), participant.Nick.c_str()),
                ChatView::LineSystem);
    }

    // What was typed while waiting goes out now, in order. A send that fails ends the
    // session on a later turn; the chat is looked up again before each line all the
    // same, so that nothing here touches a session that has gone.
    const std::wstring sessionId = session->SessionId;
    std::vector<std::wstring> queued;
    queued.swap(session->Queue);
    ChatSessionList* chats = ChatSessionList::GetInstance();
    for (const std::wstring& text : queued) {
        ChatSession* current = chats ? chats->FindBySessionId(sessionId) : nullptr;
        if (!current || (peer && peer->IsResetPending()))
            break;
        if (ChatView* page = current->GetPage())
            page->SendMessage(text);
        else
            SendChatText(*current, text);
    }
    return true;
}
