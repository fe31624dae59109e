#pragma once

#include "messenger/protocol/codec/PktHandler.h"

#include <cstddef>

// A chat line or typing notice; a failed line of this user becomes an error line.
class PktHandlerMesg : public PktHandler {
public:
    bool Handle(TarvPeer* peer, PktIn& packet) override;

    // A line received is cut at what its page lets the user type, and never kept longer
    // than this many characters.
    static constexpr size_t kMaxLine = 64 * 1024;
};
