#pragma once

#include "messenger/protocol/codec/PktHandler.h"

// An invitation: connect to the named chat, in the open chat with the inviter or a new one.
class PktHandlerInvt : public PktHandler {
public:
    bool Handle(TarvPeer* peer, PktIn& packet) override;
};
