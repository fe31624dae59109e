#include "messenger/protocol/PktHandlerPver.h"

#include "messenger/protocol/PktHandlerFactory.h"
#include "messenger/protocol/PktInPver.h"
#include "messenger/protocol/PktOutAuth.h"
#include "messenger/protocol/TarvPeer.h"
#include "ux/core/UxText.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktHandlerFactory::RegisterClass<PktHandlerPver>({ L"PVER" });

constexpr int32_t kNoUpdate = 1;

} // namespace

bool PktHandlerPver::Handle(TarvPeer* peer, PktIn& packet)
{
    if (!CheckResult(packet))
        return false;
    const int32_t flag = static_cast<PktInPver&>(packet).UpdateFlag;
    if (flag == kNoUpdate)
        return ContinueLogin(peer);
    UxTrace(
        L"PktHandlerPver::Handle, the service offers an update (flag %d); the login waits for it.\n", flag);
    return true;
}

bool PktHandlerPver::ContinueLogin(TarvPeer* peer)
{
    PktOutAuth auth;
    return peer && peer->Send(auth);
}
