#pragma once

#include "messenger/protocol/codec/PktHandler.h"

// The keep-alive's answer.
class PktHandlerPong : public PktHandler {
public:
    bool Handle(TarvPeer* peer, PktIn& packet) override;
};
