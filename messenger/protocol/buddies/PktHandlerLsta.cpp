#include "messenger/protocol/buddies/PktHandlerLsta.h"

#include "messenger/MessengerScreens.h"
#include "messenger/model/BuddyList.h"
#include "messenger/model/GroupList.h"
#include "messenger/protocol/buddies/PktInLsta.h"
#include "messenger/protocol/codec/PktHandlerFactory.h"
#include "messenger/protocol/connection/TarvPeer.h"
#include "platform/system/Memory.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktHandlerFactory::RegisterClass<PktHandlerLsta>({ L"LSTA" });

} // namespace

void PktHandlerLsta::LoadModel(const PktInLsta& list)
{
    GroupList* groups = GroupList::GetInstance();
    BuddyList* buddies = BuddyList::GetInstance();
    if (!groups || !buddies)
        return;
    for (const GroupRecord& record : list.Groups)
        groups->Insert(Group(record));
    for (const BuddyRecord& record : list.Buddies)
        buddies->Insert(record.Id, Buddy(record));
    groups->PruneMembers();
}

bool PktHandlerLsta::Handle(TarvPeer* peer, PktIn& packet)
{
    if (!CheckResult(packet)) {
        // The sign-in's last step refused: the sign-in is over.
        if (peer && peer->IsAwaitingSignInStep())
            peer->RequestReset();
        return false;
    }
    auto& list = static_cast<PktInLsta&>(packet);
    // Earlier fragments carry no records; a body without groups opens nothing.
    if (list.Groups.empty())
        return true;
    LoadModel(list);
    // The records live on in the lists. Parsing them left megabytes free between the
    // lists' own blocks, which the heap would otherwise keep for the whole session.
    std::vector<GroupRecord>().swap(list.Groups);
    std::vector<BuddyRecord>().swap(list.Buddies);
    plat::ReleaseFreeMemory();
    MessengerScreens* screens = MessengerScreens::GetCurrent();
    if (!screens)
        return true;
    if (!screens->ReloadBuddyList())
        return false;
    if (peer)
        peer->EndSignInWait();
    screens->ShowBuddyList();
    screens->ShowMemoInbox();
    screens->PlayAlert(MessengerScreens::AlertLogin);
    return true;
}
