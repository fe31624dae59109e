#pragma once

#include "messenger/protocol/codec/PktHandler.h"

// Shows a service notice in the notice box.
class PktHandlerSnfy : public PktHandler {
public:
    bool Handle(TarvPeer* peer, PktIn& packet) override;
};
