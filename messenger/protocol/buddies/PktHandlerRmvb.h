#pragma once

#include "messenger/protocol/codec/PktHandler.h"

// A buddy taken off the buddy list leaves every group and shows as offline.
class PktHandlerRmvb : public PktHandler {
public:
    bool Handle(TarvPeer* peer, PktIn& packet) override;
};
