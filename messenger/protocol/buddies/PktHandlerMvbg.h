#pragma once

#include "messenger/protocol/PktHandler.h"

// Applies each move the service accepted, in the order of the request's records.
class PktHandlerMvbg : public PktHandler {
public:
    bool Handle(TarvPeer* peer, PktIn& packet) override;
};
