#pragma once

#include "messenger/protocol/codec/PktHandler.h"

class PktInLin2;

// The sign-in answer: fill Me, ask for the buddy list, set the login option, start the
// keep-alive. A refusal closes the connection and returns to the login form.
class PktHandlerLin2 : public PktHandler {
public:
    bool Handle(TarvPeer* peer, PktIn& packet) override;

    static void FillMe(const PktInLin2& reply);
};
