#include "messenger/protocol/chat/PktHandlerRess.h"

#include "messenger/model/ChatSessionList.h"
#include "messenger/protocol/chat/ChatHandling.h"
#include "messenger/protocol/chat/PktInRess.h"
#include "messenger/protocol/codec/PktFailure.h"
#include "messenger/protocol/codec/PktHandlerFactory.h"
#include "ux/core/UxText.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktHandlerFactory::RegisterClass<PktHandlerRess>({ L"RESS" });

} // namespace

bool PktHandlerRess::Handle(TarvPeer* peer, PktIn& packet)
{
    auto& answer = static_cast<PktInRess&>(packet);
    ChatSessionList* chats = ChatSessionList::GetInstance();
    ChatSession* session = chats ? chats->FindByPendingId(answer.GetTransactionId()) : nullptr;
    if (!answer.Succeeded() && session) {
        // Said where the user waits for the chat; the chat stops waiting, so the next
        // line typed asks again (and takes the waiting lines along).
        session->State = 0;
        session->PendingId = 0;
        if (ChatView* page = session->GetPage())
            page->AddLine(FormatString(L"[%d] %s", answer.GetResult(), GetFailureCodeName(answer).c_str()),
                ChatView::LineError);
        return false;
    }
    if (!CheckResult(packet))
        return false;
    // A chat closed before its server came needs no seat on it: connecting anyway
    // would hold one on the service until sign-out.
    if (!session || !peer || !IsSaneChatId(answer.Host) || !IsSaneChatId(answer.Key))
        return false;
    ConnectChatServer(*peer, *session, answer.Host, answer.Port, answer.Key);
    return true;
}
