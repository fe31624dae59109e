#pragma once

#include "messenger/protocol/codec/PktIn.h"

class TarvPeer;

// Acts on one parsed incoming packet. Handlers are stateless objects made for one
// frame and deleted after it; PktHandler<Cmd> names the class of one command.
class PktHandler {
public:
    virtual ~PktHandler() = default;

    // True on success. The peer is the connection the frame came from (null in tests).
    virtual bool Handle(TarvPeer* peer, PktIn& packet) = 0;

    static bool Invoke(PktHandler& handler, TarvPeer* peer, PktIn& packet)
    {
        return handler.Handle(peer, packet);
    }

protected:
    // How every handler begins: a result other than success shows the failure alert
    // and the handler returns false.
    static bool CheckResult(const PktIn& packet);
};
