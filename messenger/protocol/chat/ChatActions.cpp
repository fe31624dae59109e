#include "messenger/protocol/chat/ChatActions.h"

#include "messenger/MessengerScreens.h"
#include "messenger/model/Buddy.h"
#include "messenger/model/ChatSessionList.h"
#include "messenger/model/Me.h"
#include "messenger/protocol/chat/PktOutCses.h"
#include "messenger/protocol/chat/PktOutCtoc.h"
#include "messenger/protocol/chat/PktOutInvt.h"
#include "messenger/protocol/chat/PktOutMesg.h"
#include "messenger/protocol/codec/PktOutEmpty.h"
#include "messenger/protocol/connection/PktOutCrp2.h"
#include "messenger/protocol/connection/TarvPeer.h"
#include "ux/core/UxText.h"

bool SendInEnvelope(int32_t kind, const std::wstring& key, Pkt& inner)
{
    TarvPeer* peer = TarvPeer::GetInstance();
    if (!peer)
        return false;
    PktOutCrp2 envelope(kind, key);
    return envelope.SetPayload(inner) && peer->Send(envelope);
}

ChatSession* OpenChat(const std::wstring& peerId, const std::wstring& peerName)
{
    ChatSessionList* chats = ChatSessionList::GetInstance();
    if (!chats)
        return nullptr;
    if (ChatSession* open = chats->FindOneToOne(peerId))
        return open;
    ChatSession* session = chats->NewSession();
    if (!session)
        return nullptr;
    PktOutEmpty request(L"RESS");
    SendInEnvelope(PktOutCrp2::KindDp, L"", request);
    session->State = 1;
    session->PendingId = request.GetTransactionId();
    session->PeerId = peerId;
    session->PeerName = peerName;
    if (MessengerScreens* screens = MessengerScreens::GetCurrent())
        screens->AddChatSession(*session);
    return session;
}

int SendChatText(
    ChatSession& session, const std::wstring& text, const std::wstring& font, uint32_t colour, int32_t style)
{
    if (text.empty())
        return ChatSendNothing;
    if (session.Participants.empty()) {
        // A chat server asked for already (the chat was just opened, or its peer has
        // been invited) is not asked for again: a second one would move the chat to
        // another server while the peer joins the first. A refused request leaves the
        // chat not asking, so the next line asks again and the waiting lines go with it.
        if (session.State != 1) {
            PktOutEmpty request(L"RESS");
            SendInEnvelope(PktOutCrp2::KindDp, L"", request);
            session.State = 1;
            session.PendingId = request.GetTransactionId();
        }
        session.QueueMessage(text);
        return ChatSendQueued;
    }
    PktOutMesg line;
    line.Kind = PktOutMesg::KindMsg;
    line.Font = font;
    line.Colour = colour;
    line.Style = style;
    line.Text = text;
    SendInEnvelope(PktOutCrp2::KindSs, session.SessionId, line);
    return ChatSendSent;
}

bool SendTypingNotice(ChatSession& session, int32_t state)
{
    if (session.Participants.empty())
        return false;
    PktOutMesg notice;
    notice.Kind = PktOutMesg::KindTyping;
    notice.TypingState = state;
    return SendInEnvelope(PktOutCrp2::KindSs, session.SessionId, notice);
}

void LeaveChat(const ChatSession& session)
{
    // A chat that never got its session id has nothing to leave on the server.
    TarvPeer* peer = TarvPeer::GetInstance();
    if (peer && !session.SessionId.empty()) {
        PktOutCses leave;
        leave.Kind = PktOutCses::KindKill;
        leave.EnvelopeKind = PktOutCrp2::KindSs;
        leave.Text = session.SessionId;
        peer->Send(leave);
    }
}

void CloseChat(ChatSession& session)
{
    LeaveChat(session);
    if (ChatSessionList* chats = ChatSessionList::GetInstance())
        chats->Remove(&session);
}

bool InviteToChat(const ChatSession& session, const std::wstring& userId)
{
    PktOutInvt invitation;
    if (const Me* me = Me::GetInstance())
        invitation.InviterId = me->Id;
    invitation.Host = session.Host;
    invitation.Port = session.Port;
    invitation.Key = session.Key;
    PktOutCtoc relay;
    relay.Target = userId;
    relay.Delivery = PktOutCtoc::DeliveryA;
    return relay.SetPayload(invitation) && SendInEnvelope(PktOutCrp2::KindDp, L"", relay);
}

std::wstring FormatOwnLine(const std::wstring& text)
{
    const Me* me = Me::GetInstance();
    return NameWithNick(me ? me->Name : L"", me ? me->Nick : L"") + L" 님의 말:\n" + text;
}
