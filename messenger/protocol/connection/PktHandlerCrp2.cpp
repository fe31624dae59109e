#include "messenger/protocol/connection/PktHandlerCrp2.h"

#include "messenger/protocol/codec/PktFailure.h"
#include "messenger/protocol/codec/PktHandlerFactory.h"
#include "messenger/protocol/connection/PktInCrp2.h"
#include "messenger/protocol/connection/PktPendingList.h"
#include "messenger/protocol/connection/TarvPeer.h"

#include <memory>
#include <string>

namespace {

[[maybe_unused]] const bool kRegistered = PktHandlerFactory::RegisterClass<PktHandlerCrp2>({ L"CRP2" });

// The envelope's refusal, handed to the request inside it when that request's handler
// takes it. False when it does not (or nothing inside is waiting for an answer).
bool RefuseInner(TarvPeer* peer, const PktIn& refusal)
{
    const PktPendingList* pending = PktPendingList::GetInstance();
    const PktPendingList::Entry* envelope = pending ? pending->Find(refusal.GetTransactionId()) : nullptr;
    const int32_t innerId = envelope ? envelope->packet->GetInnerTransactionId() : 0;
    const PktPendingList::Entry* inner = innerId != 0 ? pending->Find(innerId) : nullptr;
    PktHandlerFactory* handlers = PktHandlerFactory::GetInstance();
    std::unique_ptr<PktHandler> handler
        = inner && handlers ? handlers->Create(inner->packet->GetCommand()) : nullptr;
    if (!handler || !handler->TakesEnvelopeRefusal())
        return false;
    // As the bare refusal of the inner request would come.
    const std::string line = std::to_string(refusal.GetResult()) + " " + std::to_string(innerId) + "\r\n";
    int32_t id = 0;
    return TarvPeer::HandleFrame(
        reinterpret_cast<const uint8_t*>(line.data()), static_cast<int>(line.size()), peer, id);
}

} // namespace

bool PktHandlerCrp2::Handle(TarvPeer* peer, PktIn& packet)
{
    if (!packet.Succeeded()) {
        if (!RefuseInner(peer, packet))
            ShowFailure(packet);
        return false;
    }
    const std::string& inner = static_cast<PktInCrp2&>(packet).Payload;
    if (peer && !inner.empty())
        peer->OnPacket(reinterpret_cast<const uint8_t*>(inner.data()), static_cast<int>(inner.size()));
    return true;
}
