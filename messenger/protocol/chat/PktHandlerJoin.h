#pragma once

#include "messenger/protocol/codec/PktHandler.h"

// Someone arrived: add them, and send what was typed while waiting.
class PktHandlerJoin : public PktHandler {
public:
    bool Handle(TarvPeer* peer, PktIn& packet) override;
};
