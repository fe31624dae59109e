#include "messenger/protocol/connection/PktHandlerCrp2.h"

#include "messenger/protocol/codec/PktHandlerFactory.h"
#include "messenger/protocol/connection/PktInCrp2.h"
#include "messenger/protocol/connection/TarvPeer.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktHandlerFactory::RegisterClass<PktHandlerCrp2>({ L"CRP2" });

} // namespace

bool PktHandlerCrp2::Handle(TarvPeer* peer, PktIn& packet)
{
    if (!CheckResult(packet))
        return false;
    const std::string& inner = static_cast<PktInCrp2&>(packet).Payload;
    if (peer && !inner.empty())
        peer->OnPacket(reinterpret_cast<const uint8_t*>(inner.data()), static_cast<int>(inner.size()));
    return true;
}
