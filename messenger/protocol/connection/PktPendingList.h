#pragma once

#include "messenger/protocol/codec/Pkt.h"
#include "ux/core/UxSingleton.h"

#include <cstdint>
#include <map>
#include <memory>

// Copies of the requests sent with an id, kept until a reply with that id has been
// handled, so that a bare failure reply can be matched to its command. An envelope and
// the request inside it, pending beside it, go together.
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
    // Also removes the request the packet carries, if that is still pending.
    bool Remove(int32_t transactionId);
    // The connection has closed: no answer to anything can come any more.
    void Clear() { m_entries.clear(); }
    size_t GetCount() const { return m_entries.size(); }

    // The application hands in its own clock; the default counts from the first use.
    void SetClock(Clock clock) { m_clock = clock; }

private:
    std::map<int32_t, Entry> m_entries;
    Clock m_clock;
};
