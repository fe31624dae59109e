#include "messenger/protocol/login/PktHandlerPver.h"

#include "messenger/protocol/codec/PktHandlerFactory.h"
#include "messenger/protocol/connection/TarvPeer.h"
#include "messenger/protocol/login/PktInPver.h"
#include "messenger/protocol/login/PktOutAuth.h"
#include "messenger/protocol/update/SelfUpdate.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktHandlerFactory::RegisterClass<PktHandlerPver>({ L"PVER" });

constexpr int32_t kNoUpdate = 1;

} // namespace

bool PktHandlerPver::Handle(TarvPeer* peer, PktIn& packet)
{
    // Answered. An update offer waits for the user, who takes the time they need.
    if (peer)
        peer->EndSignInWait();
    if (!CheckResult(packet)) {
        // Refused: the sign-in is over.
        if (peer)
            peer->RequestReset();
        return false;
    }
    const int32_t flag = static_cast<PktInPver&>(packet).UpdateFlag;
    SelfUpdate* update = SelfUpdate::GetInstance();
    // Without a way to fetch the descriptor the offer is as good as unreachable.
    if (flag == kNoUpdate || !update)
        return ContinueLogin(peer);
    update->Offer(peer, flag);
    return true;
}

bool PktHandlerPver::ContinueLogin(TarvPeer* peer)
{
    PktOutAuth auth;
    if (!peer || !peer->Send(auth))
        return false;
    peer->AwaitSignInStep(L"AUTH");
    return true;
}
