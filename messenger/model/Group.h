#pragma once

#include <cstddef>
#include <set>
#include <string>

struct GroupRecord;

// A buddy group: its members are buddy Ids. Group "0" is the default group.
class Group {
public:
    Group() = default;
    Group(const std::wstring& id, const std::wstring& name)
        : Id(id)
        , Name(name)
    {
    }
    explicit Group(const GroupRecord& record);

    void AddMember(const std::wstring& id) { Members.insert(id); }
    size_t RemoveMember(const std::wstring& id) { return Members.erase(id); }
    bool HasMember(const std::wstring& id) const { return Members.count(id) != 0; }
    size_t GetMemberCount() const { return Members.size(); }

    // Members whose buddy is known and not offline (shown-offline counts as online).
    size_t CountOnline() const;
    // Drops every member that BuddyList does not hold.
    void PruneMembers();

    std::wstring Id;
    std::wstring Name;
    std::set<std::wstring> Members;
};
