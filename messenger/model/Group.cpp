#include "messenger/model/Group.h"

#include "messenger/model/BuddyList.h"
#include "messenger/protocol/buddies/GroupRecord.h"

Group::Group(const GroupRecord& record)
    : Id(record.Id)
    , Name(record.Name)
    , Members(record.Members.begin(), record.Members.end())
{
}

size_t Group::CountOnline() const
{
    BuddyList* buddies = BuddyList::GetInstance();
    if (!buddies)
        return 0;
    size_t online = 0;
    for (const std::wstring& id : Members) {
        const Buddy* buddy = buddies->FindById(id);
        if (buddy && buddy->ShownStatus() != BuddyStatusOffline)
            ++online;
    }
    return online;
}

void Group::PruneMembers()
{
    BuddyList* buddies = BuddyList::GetInstance();
    for (auto it = Members.begin(); it != Members.end();) {
        if (buddies && buddies->FindById(*it))
            ++it;
        else
            it = Members.erase(it);
    }
}
