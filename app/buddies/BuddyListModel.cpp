#include "app/buddies/BuddyListModel.h"

#include "messenger/model/BuddyList.h"
#include "messenger/model/GroupList.h"
#include "messenger/model/Options.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace {

// The order of a code point's UTF-16 units as one number.
inline uint32_t Utf16Key(wchar_t c)
{
    const auto v = static_cast<uint32_t>(c);
    return v >= 0xE000 && v <= 0xFFFF ? v + 0x110000 : v;
}

const Buddy* FindBuddy(const BuddyListRow& row)
{
    return BuddyList::GetInstance()->FindById(row.id);
}

std::wstring GroupName(const BuddyListRow& row)
{
    const Group* group = GroupList::GetInstance()->Find(row.id);
    return group ? group->Name : std::wstring();
}

// What a view type orders buddies by: one text, or two compared as if joined. Views
// into the buddy's own strings, so nothing is copied per row.
struct SortKey {
    std::wstring_view first;
    std::wstring_view second;
};

SortKey KeyOf(const Buddy* buddy, int viewType)
{
    if (!buddy)
        return {};
    switch (viewType) {
    case Options::ViewName:
        return { buddy->Name, {} };
    case Options::ViewNick:
        return { buddy->Nick, {} };
    case Options::ViewNameId:
        return { buddy->Name, buddy->Email };
    case Options::ViewNameNick:
        return { buddy->Name, buddy->Nick };
    default:
        return {};
    }
}

wchar_t At(const SortKey& key, size_t i)
{
    return i < key.first.size() ? key.first[i] : key.second[i - key.first.size()];
}

bool Less(const SortKey& a, const SortKey& b)
{
    const size_t na = a.first.size() + a.second.size();
    const size_t nb = b.first.size() + b.second.size();
    const size_t n = std::min(na, nb);
    for (size_t i = 0; i < n; ++i) {
        const uint32_t x = Utf16Key(At(a, i));
        const uint32_t y = Utf16Key(At(b, i));
        if (x != y)
            return x < y;
    }
    return na < nb;
}

bool CompareBuddies(const BuddyListRow& a, const BuddyListRow& b, int viewType)
{
    return Less(KeyOf(FindBuddy(a), viewType), KeyOf(FindBuddy(b), viewType));
}

} // namespace

bool BuddyListModel::LessUtf16(const std::wstring& a, const std::wstring& b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
        [](wchar_t x, wchar_t y) { return Utf16Key(x) < Utf16Key(y); });
}

int BuddyListModel::Rebuild(const std::wstring& groupId)
{
    return Rebuild(groupId, Options::GetInstance() ? Options::GetInstance()->GetSortType() : Options::SortAll);
}

int BuddyListModel::Rebuild(const std::wstring& groupId, int32_t sortType)
{
    switch (sortType) {
    case Options::SortAll:
        BuildGrouped(groupId);
        break;
    case Options::SortOnline:
        BuildOnline(groupId);
        break;
    default:
        break;
    }
    SortBuddyRuns();
    return 1;
}

void BuddyListModel::BuildGrouped(const std::wstring& groupId)
{
    Build(groupId, false);
}

void BuddyListModel::BuildOnline(const std::wstring& groupId)
{
    Build(groupId, true);
}

void BuddyListModel::Build(const std::wstring& groupId, bool onlineOnly)
{
    GroupList* groups = GroupList::GetInstance();
    BuddyList* buddies = BuddyList::GetInstance();
    if (!groups || !buddies)
        return;

    // Groups ordered by name, each name read once.
    std::vector<std::pair<std::wstring, const Group*>> order;
    if (!groupId.empty()) {
        if (const Group* group = groups->Find(groupId))
            order.emplace_back(group->Name, group);
    } else {
        order.reserve(groups->GetCount());
        for (const auto& [id, group] : groups->GetGroups())
            order.emplace_back(group.Name, &group);
        std::sort(order.begin(), order.end(),
            [](const auto& a, const auto& b) { return LessUtf16(a.first, b.first); });
    }

    // Each group row followed by its members in descending id order: what inserting
    // every member directly under its group row gives, without the quadratic inserts.
    size_t total = order.size();
    for (const auto& entry : order)
        total += entry.second->Members.size();
    m_rows.reserve(m_rows.size() + total);
    m_found.resize(m_rows.size(), nullptr);
    m_found.reserve(m_rows.capacity());
    for (const auto& entry : order) {
        const Group* group = entry.second;
        m_rows.push_back({ BuddyListRow::KindGroup, group->Id });
        m_found.push_back(nullptr);
        for (auto it = group->Members.rbegin(); it != group->Members.rend(); ++it) {
            const Buddy* buddy = buddies->FindById(*it);
            if (!buddy || (onlineOnly && buddy->ShownStatus() == BuddyStatusOffline))
                continue; // a member without a buddy is skipped rather than shown blank
            m_rows.push_back({ BuddyListRow::KindBuddy, *it });
            m_found.push_back(buddy);
        }
    }
}

// Units of a sort text that a comparison finds in two integers.
constexpr size_t kHeadUnits = 8;

// Buffers every run's sort reuses, so a rebuild allocates them once.
struct BuddyListModel::SortScratch {
    // The sort texts of one run back to back, each unit already mapped to its UTF-16
    // order: comparisons read one small block instead of every buddy's own strings.
    std::vector<uint32_t> text;
    struct Keyed {
        // The first eight units, 16 bits each (0 past the end), when every one of them
        // fits, as Hangul and most texts do: two integers then decide what most
        // comparisons would find unit by unit.
        uint64_t head[2];
        bool plain;
        size_t offset;
        size_t length;
        size_t index;
    };
    std::vector<Keyed> keyed;
    std::vector<BuddyListRow> rows;
    std::vector<const Buddy*> found;

    bool Less(const Keyed& a, const Keyed& b) const
    {
        size_t from = 0;
        if (a.plain && b.plain) {
            if (a.head[0] != b.head[0])
                return a.head[0] < b.head[0];
            if (a.head[1] != b.head[1])
                return a.head[1] < b.head[1];
            // The first units agree (a text that ends within them reads as zeros there):
            // one that ends within them is the other's start.
            if (a.length <= kHeadUnits || b.length <= kHeadUnits)
                return a.length < b.length;
            from = kHeadUnits;
        }
        const uint32_t* units = text.data();
        return std::lexicographical_compare(units + a.offset + from, units + a.offset + a.length,
            units + b.offset + from, units + b.offset + b.length);
    }
};

void BuddyListModel::SortBuddyRuns()
{
    const int viewType
        = Options::GetInstance() ? Options::GetInstance()->GetViewType() : Options::ViewNameNick;
    SortScratch scratch;
    size_t first = 0;
    bool inRun = false;
    for (size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].kind == BuddyListRow::KindBuddy) {
            if (!inRun) {
                first = i;
                inRun = true;
            }
        } else if (inRun) {
            SortRun(first, i, viewType, scratch);
            inRun = false;
        }
    }
    if (inRun)
        SortRun(first, m_rows.size(), viewType, scratch);
}

// Sorts rows [first, last) by the texts the comparators of this view type compare, each
// buddy looked up once rather than once per comparison.
void BuddyListModel::SortRun(size_t first, size_t last, int viewType, SortScratch& scratch)
{
    if (last - first < 2 || viewType < Options::ViewName || viewType > Options::ViewNameNick)
        return; // an unknown view type leaves the run as inserted
    if (m_found.size() != m_rows.size())
        m_found.assign(m_rows.size(), nullptr);
    std::vector<uint32_t>& text = scratch.text;
    std::vector<SortScratch::Keyed>& keyed = scratch.keyed;
    keyed.clear();
    size_t length = 0;
    for (size_t i = first; i < last; ++i) {
        if (!m_found[i])
            m_found[i] = FindBuddy(m_rows[i]);
        const SortKey key = KeyOf(m_found[i], viewType);
        keyed.push_back({ { 0, 0 }, true, length, key.first.size() + key.second.size(), i });
        length += keyed.back().length;
    }
    text.resize(length);
    for (SortScratch::Keyed& k : keyed) {
        const SortKey key = KeyOf(m_found[k.index], viewType);
        uint32_t* out = text.data() + k.offset;
        for (wchar_t c : key.first)
            *out++ = Utf16Key(c);
        for (wchar_t c : key.second)
            *out++ = Utf16Key(c);
        for (size_t u = 0; u < kHeadUnits && u < k.length; ++u) {
            const uint32_t unit = text[k.offset + u];
            if (unit > 0xFFFF) {
                k.plain = false;
                break;
            }
            k.head[u / 4] |= uint64_t(unit) << (48 - 16 * (u % 4));
        }
    }
    std::sort(keyed.begin(), keyed.end(),
        [&scratch](const SortScratch::Keyed& a, const SortScratch::Keyed& b) { return scratch.Less(a, b); });
    scratch.rows.clear();
    scratch.found.clear();
    for (const SortScratch::Keyed& k : keyed) {
        scratch.rows.push_back(std::move(m_rows[k.index]));
        scratch.found.push_back(m_found[k.index]);
    }
    for (size_t i = first; i < last; ++i) {
        m_rows[i] = std::move(scratch.rows[i - first]);
        m_found[i] = scratch.found[i - first];
    }
}

int BuddyListModel::FindBuddyRow(const std::wstring& id) const
{
    for (size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].kind == BuddyListRow::KindBuddy && m_rows[i].id == id)
            return static_cast<int>(i);
    }
    return -1;
}

bool BuddyListModel::CompareGroupsByName(const BuddyListRow& a, const BuddyListRow& b)
{
    return LessUtf16(GroupName(a), GroupName(b));
}

bool BuddyListModel::CompareBuddiesByName(const BuddyListRow& a, const BuddyListRow& b)
{
    return CompareBuddies(a, b, Options::ViewName);
}

bool BuddyListModel::CompareBuddiesByNick(const BuddyListRow& a, const BuddyListRow& b)
{
    return CompareBuddies(a, b, Options::ViewNick);
}

bool BuddyListModel::CompareBuddiesByNameAndId(const BuddyListRow& a, const BuddyListRow& b)
{
    return CompareBuddies(a, b, Options::ViewNameId);
}

bool BuddyListModel::CompareBuddiesByNameAndNick(const BuddyListRow& a, const BuddyListRow& b)
{
    return CompareBuddies(a, b, Options::ViewNameNick);
}
