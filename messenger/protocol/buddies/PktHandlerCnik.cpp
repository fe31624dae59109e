#include "messenger/protocol/buddies/PktHandlerCnik.h"

#include "messenger/MessengerScreens.h"
#include "messenger/protocol/codec/PktHandlerFactory.h"

namespace {

[[maybe_unused]] const bool kRegistered
    = PktHandlerFactory::RegisterClass<PktHandlerCnik>({ L"CNIK", L"ONST" });

} // namespace

bool PktHandlerCnik::Handle(TarvPeer*, PktIn& packet)
{
    if (!CheckResult(packet))
        return false;
    if (MessengerScreens* screens = MessengerScreens::GetCurrent())
        screens->RefreshMyStatus();
    return true;
}
