#include "messenger/protocol/buddies/PktHandlerNtfy.h"

#include "messenger/MessengerScreens.h"
#include "messenger/model/BuddyList.h"
#include "messenger/model/ChatSessionList.h"
#include "messenger/protocol/buddies/PktInNtfy.h"
#include "messenger/protocol/codec/PktHandlerFactory.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktHandlerFactory::RegisterClass<PktHandlerNtfy>({ L"NTFY" });

} // namespace

bool PktHandlerNtfy::Handle(TarvPeer*, PktIn& packet)
{
    if (!CheckResult(packet))
        return false;
    const auto& notice = static_cast<const PktInNtfy&>(packet);
    BuddyList* buddies = BuddyList::GetInstance();
    Buddy* buddy = buddies ? buddies->FindById(notice.BuddyId) : nullptr;
    if (!buddy)
        return false;
    MessengerScreens* screens = MessengerScreens::GetCurrent();
    // Shown as offline until now, one whose status was never given included.
    if (screens && buddy->ShownStatus() == BuddyStatusOffline && notice.Status != BuddyStatusOffline
        && notice.Status != BuddyStatusNotReported)
        screens->PlayAlert(MessengerScreens::AlertBuddyLogin);
    SetBuddyStatus(*buddy, notice.Status);
    if (screens) {
        screens->RefreshBuddy(buddy->Id);
        screens->RefreshChatPeer(buddy->Email);
    }
    return true;
}
