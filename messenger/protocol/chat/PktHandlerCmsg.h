#pragma once

#include "messenger/protocol/codec/PktHandler.h"

// The answer to a sent memo (who did not get it) or a memo delivered from another user.
class PktHandlerCmsg : public PktHandler {
public:
    bool Handle(TarvPeer* peer, PktIn& packet) override;
};
