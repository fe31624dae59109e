#include "messenger/model/BuddyList.h"

#include <algorithm>

Buddy* BuddyList::Find(const std::wstring& email)
{
    auto it = m_byEmail.find(email);
    return it == m_byEmail.end() ? nullptr : it->second;
}

// FNV-1a over the code units: ids are short, and a byte hash costs more than the probe
// it would save.
uint64_t BuddyList::Hash(const std::wstring& id)
{
    uint64_t hash = 14695981039346656037ull;
    for (wchar_t c : id)
        hash = (hash ^ static_cast<uint32_t>(c)) * 1099511628211ull;
    return hash;
}

size_t BuddyList::Probe(const std::wstring& id, uint64_t hash) const
{
    const size_t mask = m_byId.size() - 1;
    size_t i = size_t(hash) & mask;
    while (m_byId[i].node && (m_byId[i].hash != hash || m_byId[i].node->first != id))
        i = (i + 1) & mask;
    return i;
}

void BuddyList::Index(const Node& node)
{
    // At most two thirds full, so that a probe stays short.
    if (m_buddies.size() * 3 > m_byId.size() * 2) {
        std::vector<Slot> old;
        old.swap(m_byId);
        m_byId.resize(std::max<size_t>(16, old.size() * 2));
        for (const Slot& slot : old)
            if (slot.node)
                m_byId[Probe(slot.node->first, slot.hash)] = slot;
    }
    const uint64_t hash = Hash(node.first);
    m_byId[Probe(node.first, hash)] = { hash, &node };
}

Buddy* BuddyList::FindById(const std::wstring& id)
{
    return const_cast<Buddy*>(static_cast<const BuddyList*>(this)->FindById(id));
}

const Buddy* BuddyList::FindById(const std::wstring& id) const
{
    if (m_byId.empty())
        return nullptr;
    const Slot& slot = m_byId[Probe(id, Hash(id))];
    return slot.node ? &slot.node->second : nullptr;
}

bool BuddyList::Insert(const std::wstring& id, const Buddy& buddy)
{
    auto [it, inserted] = m_buddies.emplace(id, buddy);
    // Only a record actually stored is indexed: indexing the new Email at an older
    // record with another Email would make Find answer with the wrong buddy.
    if (inserted) {
        m_byEmail.emplace(it->second.Email, &it->second);
        Index(*it);
    }
    return true;
}

void BuddyList::Clear()
{
    m_byId.clear();
    m_byId.shrink_to_fit();
    m_byEmail.clear();
    m_buddies.clear();
}

void BuddyList::ClearChecks()
{
    for (auto& entry : m_buddies)
        entry.second.Picked = 0;
}
