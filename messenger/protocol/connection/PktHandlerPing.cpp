#include "messenger/protocol/connection/PktHandlerPing.h"

#include "messenger/protocol/codec/PktHandlerFactory.h"
#include "messenger/protocol/codec/PktOutEmpty.h"
#include "messenger/protocol/connection/TarvPeer.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktHandlerFactory::RegisterClass<PktHandlerPing>({ L"PING" });

} // namespace

bool PktHandlerPing::Handle(TarvPeer* peer, PktIn& packet)
{
    if (!CheckResult(packet))
        return false;
    PktOutEmpty echo(L"PING");
    echo.SetTransactionId(packet.GetTransactionId());
    return peer && peer->Send(echo);
}
