// Arbitrary bytes as what the service sends during chats: cut into frames and dispatched
// with two chats open (one entered with a participant and a queued line, one waiting
// for its chat server), envelopes nested as deep as the bytes say, a request of every
// command waiting for its answer (ids from 901), the chat pages recorded and any session
// reset run as the message loop would.
#include "fuzz/MessengerFuzz.h"
#include "messenger/model/ChatSessionList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > kMaxServiceInput)
        return 0;
    SignedInMessenger session;
    MessengerSingletons& m = session.m;
    Buddy lee;
    lee.Id = lee.Email = L"lee@quorix.net";
    m.buddies.Insert(lee.Id, lee);

    ChatSession* entered = m.chats.NewSession();
    entered->PeerId = L"lee@quorix.net";
    entered->SessionId = L"s1";
    entered->Key = L"k1";
    ChatParticipant participant;
    participant.Id = L"lee@quorix.net";
    entered->AddParticipant(participant);
    entered->QueueMessage(L"queued");
    ChatSession* waiting = m.chats.NewSession();
    waiting->PeerId = L"park@quorix.net";
    waiting->State = 1;
    waiting->PendingId = 5;
    session.PendEveryCommand();

    session.ReceiveSplit(data, size);
    return 0;
}
