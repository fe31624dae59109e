#pragma once

#include "messenger/protocol/codec/PktHandler.h"

// Applies each move the service accepted, in the order of the request's records.
class PktHandlerMvbg : public PktHandler {
public:
    bool Handle(TarvPeer* peer, PktIn& packet) override;
};
