// Arbitrary bytes as what the service sends during chats: cut into frames and dispatched
// with two chats open (one entered with a participant and a queued line, one waiting
// for its chat server), envelopes nested as deep as the bytes say, a request of every
// command waiting for its answer (ids from 901), the chat pages recorded and any session
// reset run as the message loop would.
#include "fuzz/MessengerFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > kMaxServiceInput)
        return 0;
    SignedInMessenger session;
    OpenTwoChats(session.m);
    session.PendEveryCommand();
    session.ReceiveSplit(data, size);
    return 0;
}
