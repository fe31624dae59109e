#pragma once

#include "messenger/protocol/codec/PktHandler.h"

// The group the user created joins the list under the id the service gave it.
class PktHandlerAddg : public PktHandler {
public:
    bool Handle(TarvPeer* peer, PktIn& packet) override;
};
