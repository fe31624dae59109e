#include "messenger/protocol/login/PktHandlerTick.h"

#include "messenger/model/Me.h"
#include "messenger/protocol/codec/PktHandlerFactory.h"
#include "messenger/protocol/login/PktInTick.h"

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
