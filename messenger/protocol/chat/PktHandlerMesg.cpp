#include "messenger/protocol/chat/PktHandlerMesg.h"

#include "messenger/MessengerScreens.h"
#include "messenger/model/Buddy.h"
#include "messenger/model/ChatSession.h"
#include "messenger/protocol/chat/ChatHandling.h"
#include "messenger/protocol/chat/PktInMesg.h"
#include "messenger/protocol/chat/PktOutMesg.h"
#include "messenger/protocol/codec/PktFailure.h"
#include "messenger/protocol/codec/PktHandlerFactory.h"
#include "messenger/protocol/connection/PktPendingList.h"
#include "ux/core/UxDateTime.h"
#include "ux/core/UxText.h"

#include <algorithm>

namespace {

[[maybe_unused]] const bool kRegistered = PktHandlerFactory::RegisterClass<PktHandlerMesg>({ L"MESG" });

} // namespace

bool PktHandlerMesg::Handle(TarvPeer*, PktIn& packet)
{
    auto& message = static_cast<PktInMesg&>(packet);
    ChatSession* session = FindEnvelopeSession();
    if (!session)
        return false;
    ChatView* page = session->GetPage();
    if (!message.Succeeded()) {
        // In the conversation, where the line that failed was written.
        if (page)
            page->AddLine(FormatString(L"[%d] %s", message.GetResult(), GetFailureCodeText(message).c_str()),
                ChatView::LineError);
        return false;
    }
    const PktPendingList* pending = PktPendingList::GetInstance();
    if (message.GetTransactionId() != 0 && pending && pending->Find(message.GetTransactionId()))
        return true; // the answer to this user's own line
    const ChatParticipant* participant = session->FindParticipant(message.Sender);
    if (!participant)
        return false;
    std::wstring name, nick;
    ParticipantNames(participant->Id, participant->Name, participant->Nick, name, nick);
    MessengerScreens* screens = MessengerScreens::GetCurrent();

    if (message.Kind == PktOutMesg::KindMsg || message.Kind == PktOutMesg::KindAwayMsg) {
        UxDateTime now;
        now.Now();
        if (page) {
            // Shown whole up to the bound of one line; a longer one (it can come only
            // inside an envelope) ends with a mark that it was cut.
            std::wstring& text = message.Text;
            if (text.size() > kMaxLine) {
                UxTrace(L"PktHandlerMesg::Handle, a line of %u characters from %s is cut to %u.\n",
                    static_cast<unsigned>(text.size()), participant->Id.c_str(), static_cast<unsigned>(kMaxLine));
                text.resize(kMaxLine);
                text += kCutMark;
            }
            // Put together here: a formatted text is bounded far below a line's length.
            page->AddLine(NameWithNick(name, nick) + L" 님의 말:\n" + text, ChatView::LinePeer);
            page->SetDate(L"마지막 메시지를 받은 시각: " + now.Format(L"yyyy-MM-dd hh:mm:ss"));
            session->TypingId.clear();
        }
        // She who talks can be answered, even while the service tells her as offline.
        if (participant->Id == session->PeerId && !session->PeerSpoke) {
            session->PeerSpoke = true;
            if (page)
                page->UpdateInputBar();
        }
        if (!page || !page->IsOnTop()) {
            if (session->Unread != 1) {
                session->Unread = 1;
                if (screens) {
                    screens->UpdateNotifyIcons();
                    screens->UpdateChatSession(*session);
                }
            }
            if (screens) {
                screens->PlayAlert(MessengerScreens::AlertChat);
                screens->NotifyChatLine(*session, name, nick, message.Text);
            }
        }
    } else if (message.Kind == PktOutMesg::KindTyping && page) {
        if (message.TypingState == 0) {
            page->SetDate(kIdleDate);
            session->TypingId.clear();
        } else if (message.TypingState == 1) {
            page->SetDate(NameWithNick(name, nick) + L" 님이 메시지를 입력하고 있습니다.");
            session->TypingId = participant->Id;
        }
    }
    return true;
}
