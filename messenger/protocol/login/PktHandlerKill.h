#pragma once

#include "messenger/protocol/codec/PktHandler.h"

// The same id signed in on another device: say so and end the session.
class PktHandlerKill : public PktHandler {
public:
    bool Handle(TarvPeer* peer, PktIn& packet) override;
};
