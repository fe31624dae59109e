#pragma once

#include "ux/core/UxText.h"

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <typeinfo>
#include <vector>

// Recycles objects by key from one paint to the next: Load hands one out (preferring
// the one the caller had last time), ReleaseAllInUse takes them all back at the start
// of a paint. Objects a running transition draws from are held and never handed out;
// a held object outlives UnloadAll until it is let go.
template <typename Info, typename Res> class UxResourcePoolGrowable {
public:
    struct InUse {
        Info Key;
        Res* Resource = nullptr;
    };

    UxResourcePoolGrowable() = default;
    // Objects release themselves when deleted.
    virtual ~UxResourcePoolGrowable()
    {
        for (auto& [key, res] : m_free)
            delete res;
        for (InUse& record : m_inUse)
            delete record.Resource;
        for (Res* res : m_orphans)
            delete res;
    }
    UxResourcePoolGrowable(const UxResourcePoolGrowable&) = delete;
    UxResourcePoolGrowable& operator=(const UxResourcePoolGrowable&) = delete;

    Res* Load(const Info& info, Res* preferred)
    {
        auto [first, last] = m_free.equal_range(info);
        auto chosen = last;
        for (auto it = first; it != last; ++it) {
            if (it->second == preferred && !m_held.count(it->second)) {
                chosen = it;
                break;
            }
        }
        if (chosen == last) {
            for (auto it = first; it != last; ++it) {
                if (!m_held.count(it->second)) {
                    chosen = it;
                    break;
                }
            }
        }
        if (chosen != last) {
            Res* res = chosen->second;
            m_free.erase(chosen);
            m_inUse.push_back({ info, res });
            return res;
        }
        auto* res = new Res;
        if (!Create(info, *res)) {
            delete res;
            return nullptr;
        }
        m_inUse.push_back({ info, res });
        return res;
    }

    void Unload(Res* res)
    {
        for (auto it = m_inUse.begin(); it != m_inUse.end(); ++it) {
            if (it->Resource == res) {
                m_free.emplace(it->Key, res);
                m_inUse.erase(it);
                return;
            }
        }
        UxTrace(L"[UX+] %s, Invalid item has been tried to unload.\n", Where(L"Unload").c_str());
    }

    void ReleaseAllInUse()
    {
        for (InUse& record : m_inUse)
            m_free.emplace(record.Key, record.Resource);
        m_inUse.clear();
    }

    // Destroys every object nobody holds. Callers that kept a pointer from before see a
    // new generation and must not use it.
    void UnloadAll()
    {
        auto drop = [this](Res* res) {
            if (m_held.count(res)) {
                m_orphans.insert(res);
                return;
            }
            Destroy(*res);
            delete res;
        };
        for (auto& [key, res] : m_free)
            drop(res);
        for (InUse& record : m_inUse)
            drop(record.Resource);
        m_free.clear();
        m_inUse.clear();
        ++m_generation;
    }

    void Hold(Res* res)
    {
        if (res)
            m_held.insert(res);
    }
    void Unhold(Res* res)
    {
        m_held.erase(res);
        if (m_orphans.erase(res)) {
            Destroy(*res);
            delete res;
        }
    }
    bool IsHeld(Res* res) const { return m_held.count(res) != 0; }

    // In the order they were handed out during this paint.
    const std::vector<InUse>& GetInUse() const { return m_inUse; }
    size_t GetFreeCount() const { return m_free.size(); }
    uint32_t GetGeneration() const { return m_generation; }

protected:
    virtual bool Create(const Info& info, Res& resource) = 0;
    virtual void Destroy(Res& resource) = 0;

private:
    static std::wstring Where(const wchar_t* operation)
    {
        return L"UxResourcePoolGrowable<class " + ux_detail::ClassDisplayName(typeid(Info)) + L",class "
            + ux_detail::ClassDisplayName(typeid(Res)) + L">::" + operation;
    }

    std::multimap<Info, Res*> m_free;
    std::vector<InUse> m_inUse;
    std::set<Res*> m_held;
    std::set<Res*> m_orphans; // held when the pool was emptied; destroyed when let go
    uint32_t m_generation = 0;
};
