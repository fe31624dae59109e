#include "messenger/protocol/login/PktHandlerReqs.h"

#include "messenger/model/Me.h"
#include "messenger/protocol/codec/PktHandlerFactory.h"
#include "messenger/protocol/connection/TarvPeer.h"
#include "messenger/protocol/login/PktInReqs.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktHandlerFactory::RegisterClass<PktHandlerReqs>({ L"REQS" });

} // namespace

bool PktHandlerReqs::Handle(TarvPeer* peer, PktIn& packet)
{
    if (!CheckResult(packet)) {
        // Refused: the sign-in is over.
        if (peer)
            peer->RequestReset();
        return false;
    }
    auto& reply = static_cast<PktInReqs&>(packet);
    if (Me* me = Me::GetInstance())
        me->Ticket = reply.Ticket;
    if (!peer)
        return false;
    peer->Disconnect();
    peer->SetStage(TarvPeer::StageMain);
    if (peer->ConnectTo(reply.Host, reply.Port, UxSslSocket::TlsV1)) {
        // The connection and its TLS handshake; LIN2 follows them.
        peer->AwaitSignInStep(L"the main server's connection");
        return true;
    }
    // Left alone, the login would wait for a connection that never comes.
    peer->OnConnectFailed(0);
    return false;
}
