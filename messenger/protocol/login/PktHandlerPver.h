#pragma once

#include "messenger/protocol/codec/PktHandler.h"

// The version check's answer. Without an update the login goes on at once; an offered
// one goes to SelfUpdate.
class PktHandlerPver : public PktHandler {
public:
    bool Handle(TarvPeer* peer, PktIn& packet) override;

    // The next step of the login: ask for an MD5 authentication word.
    static bool ContinueLogin(TarvPeer* peer);
};
