#pragma once

#include "messenger/protocol/codec/PktHandler.h"

// A buddy's status changed: the rows and an open chat show it, and a buddy coming
// online is announced.
class PktHandlerNtfy : public PktHandler {
public:
    bool Handle(TarvPeer* peer, PktIn& packet) override;
};
