#include "messenger/protocol/buddies/PktHandlerInfy.h"

#include "messenger/MessengerScreens.h"
#include "messenger/model/BuddyList.h"
#include "messenger/model/ChatSessionList.h"
#include "messenger/protocol/buddies/PktInInfy.h"
#include "messenger/protocol/codec/PktHandlerFactory.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktHandlerFactory::RegisterClass<PktHandlerInfy>({ L"INFY" });

} // namespace

bool PktHandlerInfy::Handle(TarvPeer*, PktIn& packet)
{
    if (!CheckResult(packet))
        return false;
    auto& notice = static_cast<PktInInfy&>(packet);
    BuddyList* buddies = BuddyList::GetInstance();
    Buddy* buddy = buddies ? buddies->FindById(notice.BuddyId) : nullptr;
    if (!buddy)
        return false;
    SetBuddyStatus(*buddy, notice.Status);
    if (MessengerScreens* screens = MessengerScreens::GetCurrent()) {
        screens->RefreshBuddy(buddy->Id);
        screens->RefreshChatPeer(buddy->Email);
    }
    return true;
}
