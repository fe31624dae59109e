#pragma once

#include "messenger/model/Buddy.h"
#include "ux/core/UxSingleton.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// Every buddy of the signed-in user by Id, with an index by Email.
class BuddyList : public UxSingleton<BuddyList> {
public:
    // The buddy whose Email is this text; null when none.
    Buddy* Find(const std::wstring& email);
    // The buddy stored under this Id; null when none.
    Buddy* FindById(const std::wstring& id);
    const Buddy* FindById(const std::wstring& id) const;

    // Stores the buddy under id unless the id is taken (the stored record then stays as
    // it is). Always true.
    bool Insert(const std::wstring& id, const Buddy& buddy);
    void Clear();
    // Unchecks every buddy in the picker.
    void ClearChecks();

    size_t GetCount() const { return m_buddies.size(); }
    const std::map<std::wstring, Buddy>& GetBuddies() const { return m_buddies; }

private:
    using Node = std::pair<const std::wstring, Buddy>;
    // Slot of id in m_byId: where it is, or the free slot that ends its probe.
    size_t Probe(const std::wstring& id, uint64_t hash) const;
    void Index(const Node& node);
    static uint64_t Hash(const std::wstring& id);

    std::map<std::wstring, Buddy> m_buddies;
    // Points into m_buddies, whose nodes never move.
    std::map<std::wstring, Buddy*> m_byEmail;
    // The same nodes by Id in one flat open-addressed table: the list screens look up
    // every buddy by Id each time they are filled, and a tree lookup by wide string
    // costs a dozen cache misses once the list outgrows the cache, a probe one or two.
    struct Slot {
        uint64_t hash = 0;
        const Node* node = nullptr;
    };
    std::vector<Slot> m_byId;
};
