#pragma once

#include "messenger/protocol/codec/PktHandler.h"

// For commands whose reply means nothing beyond its result code.
class PktHandlerDefault : public PktHandler {
public:
    bool Handle(TarvPeer*, PktIn& packet) override { return CheckResult(packet); }
};
