#pragma once

#include "messenger/protocol/codec/PktHandler.h"

// Someone already in the chat, listed on entering.
class PktHandlerUser : public PktHandler {
public:
    bool Handle(TarvPeer* peer, PktIn& packet) override;
};
