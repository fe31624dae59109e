#include "messenger/protocol/buddies/PktHandlerAdsb.h"

#include "messenger/MessengerScreens.h"
#include "messenger/model/BuddyList.h"
#include "messenger/model/GroupList.h"
#include "messenger/protocol/buddies/PktBuddyWords.h"
#include "messenger/protocol/buddies/PktInAdsb.h"
#include "messenger/protocol/buddies/PktOutAdsb.h"
#include "messenger/protocol/codec/PktHandlerFactory.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktHandlerFactory::RegisterClass<PktHandlerAdsb>({ L"ADSB" });

constexpr uint32_t kForward = 1u << BuddyListForward;
constexpr uint32_t kAllow = 1u << BuddyListAllow;
constexpr uint32_t kBlock = 1u << BuddyListBlock;

// The buddy joins the group the request named, and the list shows it.
bool JoinGroup(const std::wstring& buddyId, const std::wstring& groupId)
{
    GroupList* groups = GroupList::GetInstance();
    Group* group = groups ? groups->Find(groupId) : nullptr;
    if (!group)
        return false;
    group->AddMember(buddyId);
    MessengerScreens* screens = MessengerScreens::GetCurrent();
    return !screens || screens->ReloadBuddyList();
}

} // namespace

bool PktHandlerAdsb::Handle(TarvPeer*, PktIn& packet)
{
    if (!CheckResult(packet))
        return false;
    const auto& answer = static_cast<const PktInAdsb&>(packet);
    const PktOutAdsb* request = FindPendingRequest<PktOutAdsb>(answer.GetTransactionId());
    BuddyList* buddies = BuddyList::GetInstance();
    if (!request || !buddies)
        return false;
    if (answer.Kind == PktOutAdsb::Request) {
        if (answer.BuddyId.empty())
            return false;
        Buddy added;
        added.Email = request->Email;
        added.Id = answer.BuddyId;
        added.Name = answer.Name;
        added.Extra = answer.Extra;
        added.Flags = kAllow;
        buddies->Insert(answer.BuddyId, added);
        buddies->FindById(answer.BuddyId)->Flags |= kForward;
        return JoinGroup(answer.BuddyId, request->GroupId);
    }
    if (answer.Kind != PktOutAdsb::Accept && answer.Kind != PktOutAdsb::Reject)
        return true;
    Buddy* buddy = buddies->FindById(answer.BuddyId);
    if (!buddy)
        return false;
    if (answer.Kind == PktOutAdsb::Reject) {
        buddy->Flags = (buddy->Flags & ~kAllow) | kBlock;
        // No longer a request: the screens that list requests let it go.
        if (MessengerScreens* screens = MessengerScreens::GetCurrent())
            screens->RefreshBuddy(buddy->Id);
        return true;
    }
    buddy->Name = answer.Name;
    buddy->Extra = answer.Extra;
    // Accepting lets the requester see this user too, as the service records it.
    buddy->Flags = (buddy->Flags | kForward | kAllow) & ~kBlock;
    return JoinGroup(buddy->Id, request->GroupId);
}
