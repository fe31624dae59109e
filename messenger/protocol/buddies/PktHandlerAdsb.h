#pragma once

#include "messenger/protocol/codec/PktHandler.h"

// A request the user made went out (the buddy joins the list and the chosen group), an
// acceptance took the requester in, a rejection blocked them.
class PktHandlerAdsb : public PktHandler {
public:
    bool Handle(TarvPeer* peer, PktIn& packet) override;
};
