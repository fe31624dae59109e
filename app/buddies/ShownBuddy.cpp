#include "app/buddies/ShownBuddy.h"

#include "messenger/model/BuddyList.h"
#include "messenger/model/GroupList.h"

Buddy* ShownBuddy::GetBuddy() const
{
    BuddyList* buddies = BuddyList::GetInstance();
    return buddies && !buddyId.empty() ? buddies->FindById(buddyId) : nullptr;
}

const Group* ShownBuddy::GetGroup() const
{
    GroupList* groups = GroupList::GetInstance();
    return groups && !groupId.empty() ? groups->Find(groupId) : nullptr;
}
