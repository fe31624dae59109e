#pragma once

#include "messenger/protocol/codec/PktHandler.h"

// What another user sent: only an invitation is acted on.
class PktHandlerCtoc : public PktHandler {
public:
    bool Handle(TarvPeer* peer, PktIn& packet) override;
};
