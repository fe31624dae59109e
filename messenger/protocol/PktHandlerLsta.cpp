#include "messenger/protocol/PktHandlerLsta.h"

#include "messenger/MessengerScreens.h"
#include "messenger/model/BuddyList.h"
#include "messenger/model/GroupList.h"
#include "messenger/protocol/PktHandlerFactory.h"
#include "messenger/protocol/PktInLsta.h"

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

bool PktHandlerLsta::Handle(TarvPeer*, PktIn& packet)
{
    if (!CheckResult(packet))
        return false;
    auto& list = static_cast<PktInLsta&>(packet);
    // Earlier fragments carry no records; a body without groups opens nothing.
    if (list.Groups.empty())
        return true;
    LoadModel(list);
    MessengerScreens* screens = MessengerScreens::GetCurrent();
    if (!screens)
        return true;
    if (!screens->ReloadBuddyList())
        return false;
    screens->ShowBuddyList();
    screens->ShowMemoInbox();
    screens->PlayAlert(MessengerScreens::AlertLogin);
    return true;
}
