#pragma once

#include <string>

class Buddy;
class Group;

// A buddy and a group as a screen shows them: held by their ids and looked up on every
// use, so a buddy that leaves the list, or a session that ends, leaves nothing behind
// that points at it.
struct ShownBuddy {
    // The records as the lists hold them now; null when gone.
    Buddy* GetBuddy() const;
    const Group* GetGroup() const;

    std::wstring buddyId;
    std::wstring groupId;
};
