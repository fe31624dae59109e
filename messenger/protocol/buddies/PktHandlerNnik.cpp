#include "messenger/protocol/buddies/PktHandlerNnik.h"

#include "messenger/MessengerScreens.h"
#include "messenger/model/BuddyList.h"
#include "messenger/protocol/buddies/PktBuddyWords.h"
#include "messenger/protocol/codec/PktHandlerFactory.h"
#include "messenger/protocol/codec/PktInSimple.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktHandlerFactory::RegisterClass<PktHandlerNnik>({ L"NNIK" });

} // namespace

bool PktHandlerNnik::Handle(TarvPeer*, PktIn& packet)
{
    if (!CheckResult(packet))
        return false;
    const auto& notice = static_cast<const PktInSimple&>(packet);
    BuddyList* buddies = BuddyList::GetInstance();
    Buddy* buddy = buddies ? buddies->FindById(notice.GetText1()) : nullptr;
    if (!buddy)
        return false;
    buddy->Nick = BoundBuddyText(notice.GetText2());
    if (MessengerScreens* screens = MessengerScreens::GetCurrent())
        screens->RefreshBuddy(buddy->Id);
    return true;
}
