#include "messenger/protocol/buddies/PktHandlerRmvb.h"

#include "messenger/MessengerScreens.h"
#include "messenger/model/BuddyList.h"
#include "messenger/model/ChatSessionList.h"
#include "messenger/model/GroupList.h"
#include "messenger/protocol/buddies/PktInRmvb.h"
#include "messenger/protocol/codec/PktHandlerFactory.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktHandlerFactory::RegisterClass<PktHandlerRmvb>({ L"RMVB" });

} // namespace

bool PktHandlerRmvb::Handle(TarvPeer*, PktIn& packet)
{
    if (!CheckResult(packet))
        return false;
    const auto& removal = static_cast<const PktInRmvb&>(packet);
    if (removal.Kind != BuddyListForward)
        return true;
    BuddyList* buddies = BuddyList::GetInstance();
    Buddy* buddy = buddies ? buddies->FindById(removal.BuddyId) : nullptr;
    if (!buddy)
        return false;
    buddy->Flags &= ~(1u << BuddyListForward);
    SetBuddyStatus(*buddy, BuddyStatusOffline);
    if (GroupList* groups = GroupList::GetInstance())
        for (const auto& entry : groups->GetGroups())
            groups->Find(entry.first)->RemoveMember(buddy->Id);
    MessengerScreens* screens = MessengerScreens::GetCurrent();
    return !screens || screens->ReloadBuddyList();
}
