#pragma once

#include "messenger/protocol/codec/PktHandler.h"

// Copies the profile fields the mask selects into the buddy's record.
class PktHandlerNprf : public PktHandler {
public:
    bool Handle(TarvPeer* peer, PktIn& packet) override;
};
