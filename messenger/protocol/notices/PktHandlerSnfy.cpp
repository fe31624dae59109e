#include "messenger/protocol/notices/PktHandlerSnfy.h"

#include "messenger/MessengerScreens.h"
#include "messenger/protocol/codec/PktHandlerFactory.h"
#include "messenger/protocol/notices/PktInSnfy.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktHandlerFactory::RegisterClass<PktHandlerSnfy>({ L"SNFY" });

} // namespace

bool PktHandlerSnfy::Handle(TarvPeer*, PktIn& packet)
{
    if (!CheckResult(packet))
        return false;
    if (MessengerScreens* screens = MessengerScreens::GetCurrent())
        screens->ShowNotifyBox(L"공지사항", static_cast<const PktInSnfy&>(packet).Text3);
    return true;
}
