#pragma once

#include "messenger/protocol/codec/PktHandler.h"

// A buddy's status changed (quietly: no sound).
class PktHandlerInfy : public PktHandler {
public:
    bool Handle(TarvPeer* peer, PktIn& packet) override;
};
