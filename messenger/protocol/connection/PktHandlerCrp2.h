#pragma once

#include "messenger/protocol/codec/PktHandler.h"

// A relay envelope: its inner frame is dispatched as if it had arrived by itself.
class PktHandlerCrp2 : public PktHandler {
public:
    bool Handle(TarvPeer* peer, PktIn& packet) override;
};
