#pragma once

#include <cstdint>
#include <string>

// One buddy to move: its position in the request, the buddy's two ids, the group it
// leaves and the group it joins.
struct MvbgRecord {
    uint32_t Index = 0;
    std::wstring BuddyId;
    std::wstring Email;
    std::wstring SourceGroup;
    std::wstring TargetGroup;
};
