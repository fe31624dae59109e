// Arbitrary bytes as what the service sends after the sign-in: cut into frames and
// dispatched, in two receives split where the first byte says, with the screens
// recorded and any session reset run as the message loop would. A request of every
// command waits for its answer (ids from 901), so failure replies reach their handlers;
// the buddy list and memo-box answers are dropped past 4 KiB. With the first byte's top
// bit set, the frames go straight to their handlers, without a connection.
#include "fuzz/MessengerFuzz.h"
#include "messenger/protocol/buddies/PktInLsta.h"
#include "messenger/protocol/memos/PktInWget.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > kMaxServiceInput)
        return 0;
    PktInLsta::SetMaxBody(4 * 1024);
    PktInWget::SetMaxAnswer(4 * 1024);
    SignedInMessenger session;
    session.PendEveryCommand();
    if (size && (data[0] & 0x80))
        session.DispatchWithoutPeer(std::string(reinterpret_cast<const char*>(data), size));
    else
        session.ReceiveSplit(data, size);
    return 0;
}
