#pragma once

#include <cstdint>
#include <string>
#include <vector>

class Buddy;

// One row of the buddy list: kind 0 a group (id = group Id), kind 1 a buddy (id = the
// buddy's Id, as group member sets hold it).
struct BuddyListRow {
    enum Kinds { KindGroup = 0, KindBuddy = 1 };
    int kind = KindGroup;
    std::wstring id;
};

// The groups and their buddies as the list screens show them: which buddies follows
// the sort option, their order inside a group the view option. A short-lived value,
// built whenever a list reloads or moves a row; it holds no pointers into the lists.
class BuddyListModel {
public:
    BuddyListModel() = default;
    virtual ~BuddyListModel() = default;

    // Fills the empty model for every group (empty id) or for that one group. Always 1.
    int Rebuild(const std::wstring& groupId);
    // The same for a sort option of the caller's (the buddy picker shows its own).
    int Rebuild(const std::wstring& groupId, int32_t sortType);
    void BuildGrouped(const std::wstring& groupId);
    void BuildOnline(const std::wstring& groupId);
    // Orders each run of buddy rows between group rows; group rows stay where they are.
    void SortBuddyRuns();
    // Index of the first buddy row with this buddy Id; -1 when none.
    int FindBuddyRow(const std::wstring& id) const;

    // Strict less-than over two rows, texts compared by UTF-16 code units.
    static bool CompareGroupsByName(const BuddyListRow& a, const BuddyListRow& b);
    static bool CompareBuddiesByName(const BuddyListRow& a, const BuddyListRow& b);
    static bool CompareBuddiesByNick(const BuddyListRow& a, const BuddyListRow& b);
    static bool CompareBuddiesByNameAndId(const BuddyListRow& a, const BuddyListRow& b);
    static bool CompareBuddiesByNameAndNick(const BuddyListRow& a, const BuddyListRow& b);

    // a < b in UTF-16 code-unit order (code points from U+E000 to U+FFFF sort after
    // those beyond U+FFFF, whose first unit is a surrogate).
    static bool LessUtf16(const std::wstring& a, const std::wstring& b);

    const std::vector<BuddyListRow>& GetRows() const { return m_rows; }
    size_t GetCount() const { return m_rows.size(); }
    const BuddyListRow& operator[](size_t i) const { return m_rows[i]; }

private:
    void Build(const std::wstring& groupId, bool onlineOnly);
    struct SortScratch;
    void SortRun(size_t first, size_t last, int viewType, SortScratch& scratch);

    std::vector<BuddyListRow> m_rows;
    // The buddy of each row as the last build found it (null for group rows), so the
    // sort that follows does not look every buddy up again; empty when out of step.
    std::vector<const Buddy*> m_found;
};
