#include "messenger/protocol/login/PktHandlerAuth.h"

#include "messenger/model/Me.h"
#include "messenger/protocol/codec/PktHandlerFactory.h"
#include "messenger/protocol/connection/TarvPeer.h"
#include "messenger/protocol/login/PktInAuth.h"
#include "messenger/protocol/login/PktOutReqs.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktHandlerFactory::RegisterClass<PktHandlerAuth>({ L"AUTH" });

} // namespace

bool PktHandlerAuth::Handle(TarvPeer* peer, PktIn& packet)
{
    if (!CheckResult(packet)) {
        // Refused: the sign-in is over.
        if (peer)
            peer->RequestReset();
        return false;
    }
    Me* me = Me::GetInstance();
    PktOutReqs request(static_cast<PktInAuth&>(packet).Word, me ? me->Id : std::wstring());
    if (!peer || !peer->Send(request))
        return false;
    peer->AwaitSignInStep(L"REQS");
    return true;
}
