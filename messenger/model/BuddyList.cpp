#include "messenger/model/BuddyList.h"

#include <algorithm>

namespace {

// FNV-1a over the code units: ids are short, and a byte hash costs more than the probe
// it would save.
uint64_t Hash(const std::wstring& text)
{
    uint64_t hash = 14695981039346656037ull;
    for (wchar_t c : text)
        hash = (hash ^ static_cast<uint32_t>(c)) * 1099511628211ull;
    return hash;
}

} // namespace

size_t BuddyList::NodeIndex::Probe(const std::wstring& text, uint64_t hash) const
{
    const size_t mask = m_slots.size() - 1;
    size_t i = size_t(hash) & mask;
    while (m_slots[i].node && (m_slots[i].hash != hash || m_key(*m_slots[i].node) != text))
        i = (i + 1) & mask;
    return i;
}

const BuddyList::Node* BuddyList::NodeIndex::Find(const std::wstring& text) const
{
    return m_slots.empty() ? nullptr : m_slots[Probe(text, Hash(text))].node;
}

void BuddyList::NodeIndex::Add(const Node& node)
{
    // At most two thirds full, so that a probe stays short.
    if ((m_count + 1) * 3 > m_slots.size() * 2) {
        std::vector<Slot> old;
        old.swap(m_slots);
        m_slots.resize(std::max<size_t>(16, old.size() * 2));
        for (const Slot& slot : old)
            if (slot.node)
                m_slots[Probe(m_key(*slot.node), slot.hash)] = slot;
    }
    const std::wstring& text = m_key(node);
    const uint64_t hash = Hash(text);
    Slot& slot = m_slots[Probe(text, hash)];
    if (slot.node)
        return;
    slot = { hash, &node };
    ++m_count;
}

void BuddyList::NodeIndex::Clear()
{
    std::vector<Slot>().swap(m_slots);
    m_count = 0;
}

Buddy* BuddyList::Find(const std::wstring& email)
{
    const Node* node = m_byEmail.Find(email);
    return node ? const_cast<Buddy*>(&node->second) : nullptr;
}

Buddy* BuddyList::FindById(const std::wstring& id)
{
    return const_cast<Buddy*>(static_cast<const BuddyList*>(this)->FindById(id));
}

const Buddy* BuddyList::FindById(const std::wstring& id) const
{
    const Node* node = m_byId.Find(id);
    return node ? &node->second : nullptr;
}

bool BuddyList::Insert(const std::wstring& id, const Buddy& buddy)
{
    auto [it, inserted] = m_buddies.emplace(id, buddy);
    // Only a record actually stored is indexed: indexing the new Email at an older
    // record with another Email would make Find answer with the wrong buddy.
    if (inserted) {
        m_byId.Add(*it);
        m_byEmail.Add(*it);
    }
    return true;
}

void BuddyList::Clear()
{
    m_byId.Clear();
    m_byEmail.Clear();
    m_buddies.clear();
}

void BuddyList::ClearChecks()
{
    for (auto& entry : m_buddies)
        entry.second.Picked = 0;
}
