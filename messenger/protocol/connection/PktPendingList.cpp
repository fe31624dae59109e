#include "messenger/protocol/connection/PktPendingList.h"

#include <chrono>

namespace {

uint32_t SteadyMilliseconds()
{
    static const auto start = std::chrono::steady_clock::now();
    auto elapsed = std::chrono::steady_clock::now() - start;
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

} // namespace

PktPendingList::PktPendingList()
    : m_clock(&SteadyMilliseconds)
{
}

bool PktPendingList::Add(const Pkt& packet)
{
    int32_t id = packet.GetTransactionId();
    if (m_entries.count(id))
        return true;
    std::unique_ptr<Pkt> copy = packet.Clone();
    if (!copy)
        return false;
    m_entries.emplace(id, Entry { std::move(copy), m_clock ? m_clock() : 0 });
    return true;
}

const PktPendingList::Entry* PktPendingList::Find(int32_t transactionId) const
{
    auto it = m_entries.find(transactionId);
    return it == m_entries.end() ? nullptr : &it->second;
}

bool PktPendingList::Remove(int32_t transactionId)
{
    auto it = m_entries.find(transactionId);
    if (it == m_entries.end())
        return false;
    const int32_t inner = it->second.packet->GetInnerTransactionId();
    m_entries.erase(it);
    if (inner != 0 && inner != transactionId)
        Remove(inner);
    return true;
}
