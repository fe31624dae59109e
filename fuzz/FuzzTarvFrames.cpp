// Arbitrary bytes as what the service sends after the sign-in: cut into frames and
// dispatched, in two receives split where the first byte says, with the screens
// recorded and any session reset run as the message loop would.
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
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const size_t split = size ? data[0] % (size + 1) : 0;
    m.peer.Receive(bytes.substr(0, split));
    m.peer.Receive(bytes.substr(split));
    plat::DispatchPending();
    return 0;
}
