#pragma once

#include "messenger/protocol/PktHandler.h"

// The keep-alive's answer.
class PktHandlerPong : public PktHandler {
public:
    bool Handle(TarvPeer* peer, PktIn& packet) override;
};
