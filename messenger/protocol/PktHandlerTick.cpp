#include "messenger/protocol/PktHandlerTick.h"

#include "messenger/model/Me.h"
#include "messenger/protocol/PktHandlerFactory.h"
#include "messenger/protocol/PktInTick.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktHandlerFactory::RegisterClass<PktHandlerTick>({ L"TICK" });

} // namespace

bool PktHandlerTick::Handle(TarvPeer*, PktIn& packet)
{
    if (!CheckResult(packet))
        return false;
    if (Me* me = Me::GetInstance())
        me->WebTicket = static_cast<PktInTick&>(packet).Word;
    return true;
}
