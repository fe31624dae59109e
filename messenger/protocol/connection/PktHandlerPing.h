#pragma once

#include "messenger/protocol/codec/PktHandler.h"

// The service's probe: echoed with the probe's own id.
class PktHandlerPing : public PktHandler {
public:
    bool Handle(TarvPeer* peer, PktIn& packet) override;
};
