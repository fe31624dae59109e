#pragma once

#include "messenger/protocol/codec/PktHandler.h"

// A buddy chose a new nick (read as two words by PktInSimple).
class PktHandlerNnik : public PktHandler {
public:
    bool Handle(TarvPeer* peer, PktIn& packet) override;
};
