// Arbitrary bytes as what the service sends during chats: cut into frames and dispatched
// with two chats open (one entered with a participant and a queued line, one waiting
// for its chat server), envelopes nested as deep as the bytes say, the chat pages
// recorded and any session reset run as the message loop would.
#include "messenger/model/ChatSessionList.h"
#include "platform/event/MessageQueue.h"
#include "tests/support/MessengerSingletons.h"
#include "tests/support/RecordingScreens.h"
#include "tests/support/TraceCapture.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > (1u << 20))
        return 0;
    TraceCapture quiet;
    RecordingScreens screens;
    MessengerSingletons m;
    m.me.Id = L"kim@quorix.net";
    m.peer.SetStage(TarvPeer::StageMain);
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

    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const size_t split = size ? data[0] % (size + 1) : 0;
    m.peer.Receive(bytes.substr(0, split));
    m.peer.Receive(bytes.substr(split));
    plat::DispatchPending();
    return 0;
}
