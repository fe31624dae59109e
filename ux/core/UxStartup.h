#pragma once

#include <cstddef>

// The toolkit's start-up and shut-down: its singletons are created in groups, in a
// fixed order, and deleted group by group in the reverse order.
struct UxStartupGroup {
    // Creates the group's objects; false ends start-up (what exists stays).
    bool (*create)();
    // Deletes what create made; safe to call when create did not run or failed.
    void (*destroy)();
};

// Runs create of each group in order, stopping at the first that fails.
bool UxRunStartupGroups(const UxStartupGroup* groups, size_t count);
// Runs destroy of each group, last group first.
void UxRunShutdownGroups(const UxStartupGroup* groups, size_t count);

// Creates every toolkit singleton; false when a group failed (the program then ends
// without calling UxFinalize).
bool UxInitialize();
// Deletes every toolkit singleton.
void UxFinalize();
