#pragma once

#include "messenger/protocol/codec/PktHandler.h"

// A memo: while a memo is being opened, its content for the read page; otherwise a new
// memo that has arrived.
class PktHandlerImsg : public PktHandler {
public:
    bool Handle(TarvPeer* peer, PktIn& packet) override;
};
