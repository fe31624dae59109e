#pragma once

#include "messenger/protocol/codec/PktHandler.h"

// Entered the chat: when nobody is there yet, invite the peer.
class PktHandlerEntr : public PktHandler {
public:
    bool Handle(TarvPeer* peer, PktIn& packet) override;
    bool TakesEnvelopeRefusal() const override { return true; }
};
