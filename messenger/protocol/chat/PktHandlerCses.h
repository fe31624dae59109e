#pragma once

#include "messenger/protocol/codec/PktHandler.h"

// The chat-server session answer: a "CONN" answer enters the chat it names.
class PktHandlerCses : public PktHandler {
public:
    bool Handle(TarvPeer* peer, PktIn& packet) override;
};
