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

    // The map's nodes (which never move) by one of their texts, in one flat
    // open-addressed table: the list screens look up every buddy each time they are
    // filled, and a tree lookup by wide string costs a dozen cache misses once the list
    // outgrows the cache, a probe one or two; nor is any text copied.
    class NodeIndex {
    public:
        using KeyOf = const std::wstring& (*)(const Node&);
        explicit NodeIndex(KeyOf key)
            : m_key(key)
        {
        }
        const Node* Find(const std::wstring& text) const;
        // The first node of a text stays: a later one with the same text is not indexed.
        void Add(const Node& node);
        void Clear();

    private:
        struct Slot {
            uint64_t hash = 0;
            const Node* node = nullptr;
        };
        // Where text is, or the free slot that ends its probe.
        size_t Probe(const std::wstring& text, uint64_t hash) const;

        KeyOf m_key;
        std::vector<Slot> m_slots;
        size_t m_count = 0;
    };

    std::map<std::wstring, Buddy> m_buddies;
    NodeIndex m_byId { [](const Node& node) -> const std::wstring& { return node.first; } };
    NodeIndex m_byEmail { [](const Node& node) -> const std::wstring& { return node.second.Email; } };
};
