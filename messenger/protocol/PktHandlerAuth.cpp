#include "messenger/protocol/PktHandlerAuth.h"

#include "messenger/model/Me.h"
#include "messenger/protocol/PktHandlerFactory.h"
#include "messenger/protocol/PktInAuth.h"
#include "messenger/protocol/PktOutReqs.h"
#include "messenger/protocol/TarvPeer.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktHandlerFactory::RegisterClass<PktHandlerAuth>({ L"AUTH" });

} // namespace

bool PktHandlerAuth::Handle(TarvPeer* peer, PktIn& packet)
{
    if (!CheckResult(packet))
        return false;
    Me* me = Me::GetInstance();
    PktOutReqs request(static_cast<PktInAuth&>(packet).Word, me ? me->Id : std::wstring());
    return peer && peer->Send(request);
}
