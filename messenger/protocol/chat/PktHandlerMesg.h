#pragma once

#include "messenger/protocol/codec/PktHandler.h"

// A chat line or typing notice; a failed line of this user becomes an error line.
class PktHandlerMesg : public PktHandler {
public:
    bool Handle(TarvPeer* peer, PktIn& packet) override;
};
