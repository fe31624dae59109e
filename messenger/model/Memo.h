#pragma once

#include "ux/core/UxDateTime.h"

#include <cstdint>
#include <string>

// One memo of the box being shown: a record of the list answer, or a memo just
// announced (which has no Id yet).
class Memo {
public:
    std::wstring Id;
    std::wstring From;
    std::wstring Title;
    UxDateTime Date;
    uint8_t Read = 0;
    uint8_t Flag2 = 0;
    // The service's handle of the memo; every later request about it names it.
    std::wstring Cookie;

    // Title up to the first CR or LF.
    std::wstring GetFirstLine() const;

    // Where a list row points while it animates out after its memo was removed.
    static Memo& GetPlaceholder();
};
