#include "messenger/model/GroupList.h"

Group* GroupList::Find(const std::wstring& id)
{
    auto it = m_groups.find(id);
    return it == m_groups.end() ? nullptr : &it->second;
}

Group* GroupList::FindByName(const std::wstring& name)
{
    for (auto& entry : m_groups)
        if (entry.second.Name == name)
            return &entry.second;
    return nullptr;
}

Group* GroupList::FindByMember(const std::wstring& id)
{
    for (auto& entry : m_groups)
        if (entry.second.HasMember(id))
            return &entry.second;
    return nullptr;
}

bool GroupList::Insert(const Group& group)
{
    return m_groups.emplace(group.Id, group).second;
}

void GroupList::PruneMembers()
{
    for (auto& entry : m_groups)
        entry.second.PruneMembers();
}
