#pragma once

#include "messenger/model/Group.h"
#include "ux/core/UxSingleton.h"

#include <map>
#include <string>

// Every buddy group of the signed-in user by group Id.
class GroupList : public UxSingleton<GroupList> {
public:
    Group* Find(const std::wstring& id);
    // The first group in Id order with exactly this name; null when none.
    Group* FindByName(const std::wstring& name);
    // The first group in Id order that holds this buddy Id; null when none.
    Group* FindByMember(const std::wstring& id);

    // Stores the group unless its Id is taken (the stored group then stays). True when
    // stored.
    bool Insert(const Group& group);
    void Clear() { m_groups.clear(); }
    // Every group's PruneMembers, in Id order.
    void PruneMembers();

    size_t GetCount() const { return m_groups.size(); }
    const std::map<std::wstring, Group>& GetGroups() const { return m_groups; }

private:
    std::map<std::wstring, Group> m_groups;
};
