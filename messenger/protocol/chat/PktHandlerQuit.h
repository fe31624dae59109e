#pragma once

#include "messenger/protocol/codec/PktHandler.h"

// Someone left the chat.
class PktHandlerQuit : public PktHandler {
public:
    bool Handle(TarvPeer* peer, PktIn& packet) override;
};
