#include "messenger/protocol/buddies/PktHandlerAddb.h"

#include "messenger/MessengerScreens.h"
#include "messenger/model/BuddyList.h"
#include "messenger/protocol/buddies/PktInAddb.h"
#include "messenger/protocol/codec/PktHandlerFactory.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktHandlerFactory::RegisterClass<PktHandlerAddb>({ L"ADDB" });

constexpr uint32_t kAllowBlockBits = (1u << BuddyListAllow) | (1u << BuddyListBlock);

bool SetAllowed(BuddyList& buddies, const PktInAddb& answer)
{
    Buddy* buddy = buddies.Find(answer.Email);
    if (!buddy)
        return false;
    buddy->Flags = (buddy->Flags & ~kAllowBlockBits) | (1u << answer.Kind);
    if (MessengerScreens* screens = MessengerScreens::GetCurrent()) {
        // The list row shows blocked buddies with their own icon.
        screens->RefreshBuddy(buddy->Id);
        screens->RefreshBuddyProfile(buddy->Id);
    }
    return true;
}

void AddRequester(BuddyList& buddies, const PktInAddb& notice)
{
    if (notice.BuddyId.empty() || notice.Email.empty())
        return;
    // Someone already on the list, under either of their ids, keeps the one record.
    const Buddy* stored = buddies.Find(notice.Email);
    if (!stored) {
        Buddy requester;
        requester.Email = notice.Email;
        requester.Id = notice.BuddyId;
        requester.Extra = notice.Extra;
        requester.Flags = 1u << BuddyListReverse;
        buddies.Insert(notice.BuddyId, requester);
        stored = buddies.FindById(notice.BuddyId);
    }
    const uint32_t known = (1u << BuddyListForward) | (1u << BuddyListAllow);
    if (stored && !(stored->Flags & known))
        if (MessengerScreens* screens = MessengerScreens::GetCurrent())
            screens->AskBuddyRequest(stored->Id, notice.Email, notice.Message);
}

} // namespace

bool PktHandlerAddb::Handle(TarvPeer*, PktIn& packet)
{
    if (!CheckResult(packet))
        return false;
    const auto& list = static_cast<const PktInAddb&>(packet);
    BuddyList* buddies = BuddyList::GetInstance();
    if (!buddies)
        return false;
    switch (list.Kind) {
    case BuddyListAllow:
    case BuddyListBlock:
        return SetAllowed(*buddies, list);
    case BuddyListReverse:
        AddRequester(*buddies, list);
        return true;
    default:
        return true;
    }
}
