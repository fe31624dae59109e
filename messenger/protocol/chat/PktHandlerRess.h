#pragma once

#include "messenger/protocol/codec/PktHandler.h"

// The chat server for a chat this user opened: connect to it.
class PktHandlerRess : public PktHandler {
public:
    bool Handle(TarvPeer* peer, PktIn& packet) override;
    bool TakesEnvelopeRefusal() const override { return true; }
};
