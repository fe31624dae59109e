#pragma once

#include "messenger/protocol/codec/PktHandler.h"

// Allow and block change the buddy's flags; a request towards this user adds the
// requester and offers to look at the request.
class PktHandlerAddb : public PktHandler {
public:
    bool Handle(TarvPeer* peer, PktIn& packet) override;
};
