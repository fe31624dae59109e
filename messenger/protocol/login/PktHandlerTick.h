#pragma once

#include "messenger/protocol/codec/PktHandler.h"

// A fresh web ticket for the service's pages.
class PktHandlerTick : public PktHandler {
public:
    bool Handle(TarvPeer* peer, PktIn& packet) override;
};
