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

    // Whether a refusal of the envelope that carried this command's request is handed
    // to this handler as the request's own refusal (it then says where the failure
    // shows); otherwise the envelope's refusal shows the failure alert.
    virtual bool TakesEnvelopeRefusal() const { return false; }

protected:
    // How every handler begins: a result other than success shows the failure alert
    // and the handler returns false.
    static bool CheckResult(const PktIn& packet);
};
