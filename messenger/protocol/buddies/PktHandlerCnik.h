#pragma once

#include "messenger/protocol/codec/PktHandler.h"

// The service took the user's new nick or status: the user's own line shows it.
class PktHandlerCnik : public PktHandler {
public:
    bool Handle(TarvPeer* peer, PktIn& packet) override;
};
