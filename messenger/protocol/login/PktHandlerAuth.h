#pragma once

#include "messenger/protocol/codec/PktHandler.h"

// The authentication word: ask where to sign in.
class PktHandlerAuth : public PktHandler {
public:
    bool Handle(TarvPeer* peer, PktIn& packet) override;
};
