#pragma once

#include "messenger/protocol/codec/PktHandler.h"

// The main server's address and the ticket: leave the dispatch server for it, over TLS.
class PktHandlerReqs : public PktHandler {
public:
    bool Handle(TarvPeer* peer, PktIn& packet) override;
};
