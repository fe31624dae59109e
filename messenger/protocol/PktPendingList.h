#pragma once

#include "messenger/protocol/Pkt.h"
#include "ux/core/UxSingleton.h"

#include <cstdint>
#include <map>
#include <memory>

// Copies of the requests sent with an id, kept until a reply with that id has been
// handled, so that a bare failure reply can be matched to its command.
class PktPendingList : public UxSingleton<PktPendingList> {
public:
    struct Entry {
        std::unique_ptr<Pkt> packet;
        uint32_t sent = 0; // milliseconds since start; recorded only
    };
    using Clock = uint32_t (*)();

    PktPendingList();

    // Keeps a clone under the packet's id. An id already present keeps its first
    // copy (no second copy is made). False when the packet cannot be cloned.
    bool Add(const Pkt& packet);
    const Entry* Find(int32_t transactionId) const;
    bool Remove(int32_t transactionId);
    size_t GetCount() const { return m_entries.size(); }

    // The application hands in its own clock; the default counts from the first use.
    void SetClock(Clock clock) { m_clock = clock; }

private:
    std::map<int32_t, Entry> m_entries;
    Clock m_clock;
};
