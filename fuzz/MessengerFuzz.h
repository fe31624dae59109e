#pragma once

// Shared set-up of the fuzz targets that feed the messenger what the service sends: the
// singletons signed in as kim, the screens recorded and traces kept quiet.

#include "platform/event/MessageQueue.h"
#include "tests/support/MessengerSingletons.h"
#include "tests/support/RecordingScreens.h"
#include "tests/support/TraceCapture.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Inputs above this are skipped: frames are bounded far below it.
constexpr size_t kMaxServiceInput = size_t(1) << 20;

template <typename PeerType> struct BasicSignedInMessenger {
    BasicSignedInMessenger()
    {
        m.me.Id = L"kim@quorix.net";
        m.peer.SetStage(TarvPeer::StageMain);
    }

    // The bytes in two receives, split where the first byte says, then the message
    // loop's turn (a session reset runs there).
    void ReceiveSplit(const uint8_t* data, size_t size)
    {
        const std::string bytes(reinterpret_cast<const char*>(data), size);
        const size_t split = size ? data[0] % (size + 1) : 0;
        m.peer.Receive(bytes.substr(0, split));
        m.peer.Receive(bytes.substr(split));
        plat::DispatchPending();
    }

    TraceCapture quiet;
    RecordingScreens screens;
    BasicMessengerSingletons<PeerType> m;
};

using SignedInMessenger = BasicSignedInMessenger<RecordingPeer>;
