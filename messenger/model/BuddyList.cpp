#include "messenger/model/BuddyList.h"

Buddy* BuddyList::Find(const std::wstring& email)
{
    auto it = m_byEmail.find(email);
    return it == m_byEmail.end() ? nullptr : it->second;
}

Buddy* BuddyList::FindById(const std::wstring& id)
{
    auto it = m_buddies.find(id);
    return it == m_buddies.end() ? nullptr : &it->second;
}

const Buddy* BuddyList::FindById(const std::wstring& id) const
{
    auto it = m_buddies.find(id);
    return it == m_buddies.end() ? nullptr : &it->second;
}

bool BuddyList::Insert(const std::wstring& id, const Buddy& buddy)
{
    auto [it, inserted] = m_buddies.emplace(id, buddy);
    // Only a record actually stored is indexed: indexing the new Email at an older
    // record with another Email would make Find answer with the wrong buddy.
    if (inserted)
        m_byEmail.emplace(it->second.Email, &it->second);
    return true;
}

void BuddyList::Clear()
{
    m_byEmail.clear();
    m_buddies.clear();
}

void BuddyList::ClearChecks()
{
    for (auto& entry : m_buddies)
        entry.second.Picked = 0;
}
