#pragma once

#include "ux/core/UxSingleton.h"
#include "ux/core/UxText.h"

#include <cstdint>
#include <map>
#include <string>
#include <typeinfo>
#include <vector>

// One pooled resource: its key, its handle and how many holders it has.
template <typename Info, typename Res> struct UxResourceEntry {
    int32_t RefCount = 0;
    int32_t Handle = -1;
    Info Key;
    Res* Resource = nullptr;

    ~UxResourceEntry() { delete Resource; }
};

// A reference-counted cache of costly objects keyed by their description and addressed
// by integer handles (-1 = none). Handles are never reused, so a stale one is refused
// (and traced) rather than reaching another resource.
template <typename Info, typename Res> class UxResourcePool {
public:
    using Entry = UxResourceEntry<Info, Res>;

    UxResourcePool() = default;
    // Resources release themselves when deleted; Destroy is not virtual any more here.
    virtual ~UxResourcePool()
    {
        for (Entry* entry : m_entries)
            delete entry;
    }
    UxResourcePool(const UxResourcePool&) = delete;
    UxResourcePool& operator=(const UxResourcePool&) = delete;

    int32_t Load(const Info& info)
    {
        auto found = m_index.find(info);
        if (found != m_index.end()) {
            ++found->second->RefCount;
            return found->second->Handle;
        }
        auto* entry = new Entry;
        entry->RefCount = 1;
        entry->Handle = static_cast<int32_t>(m_entries.size());
        entry->Key = info;
        entry->Resource = new Res;
        if (!Create(info, *entry->Resource)) {
            delete entry;
            return -1;
        }
        m_entries.push_back(entry);
        m_index.emplace(info, entry);
        return entry->Handle;
    }

    Res* Find(int32_t handle) const
    {
        if (Entry* entry = At(handle))
            return entry->Resource;
        UxTrace(L"[UX+] %s, Invalid handle has been tried to find.\n", Where(L"Find").c_str());
        return nullptr;
    }

    void Unload(int32_t handle)
    {
        Entry* entry = At(handle);
        if (!entry) {
            UxTrace(L"[UX+] %s, Invalid handle has been tried to unload.\n", Where(L"Unload").c_str());
            return;
        }
        if (--entry->RefCount > 0)
            return;
        m_index.erase(entry->Key);
        Destroy(*entry->Resource);
        m_entries[static_cast<size_t>(handle)] = nullptr;
        delete entry;
    }

    // Every resource goes, whoever holds it; their handles become invalid.
    void UnloadAll()
    {
        for (Entry*& entry : m_entries) {
            if (entry) {
                Destroy(*entry->Resource);
                delete entry;
                entry = nullptr;
            }
        }
        m_entries.clear();
        m_index.clear();
    }

    // Live entries, for checks.
    size_t GetLoadedCount() const { return m_index.size(); }

protected:
    // Makes the real object inside an allocated, empty resource.
    virtual bool Create(const Info& info, Res& resource) = 0;
    virtual void Destroy(Res& resource) = 0;

    // Every live resource.
    template <typename Visit> void ForEach(Visit&& visit)
    {
        for (Entry* entry : m_entries)
            if (entry)
                visit(*entry->Resource);
    }

private:
    Entry* At(int32_t handle) const
    {
        if (handle < 0 || static_cast<size_t>(handle) >= m_entries.size())
            return nullptr;
        return m_entries[static_cast<size_t>(handle)];
    }

    static std::wstring Where(const wchar_t* operation)
    {
        return L"UxResourcePool<class " + ux_detail::ClassDisplayName(typeid(Info)) + L",class "
            + ux_detail::ClassDisplayName(typeid(Res)) + L">::" + operation;
    }

    std::vector<Entry*> m_entries;
    std::map<Info, Entry*> m_index;
};
