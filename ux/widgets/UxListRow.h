#pragma once

#include <cstdint>

// One row of a list window, kept by value in display order.
struct UxListRow {
    enum Kind : int32_t { Header = 0, Item = 1 };

    int32_t kind = Item; // other values are kept and drawn by subclasses
    uint8_t expanded = 1; // headers: the group is open
    uint8_t hidden = 0; // set by the filter
    int32_t top = 0; // content pixels
    int32_t fullHeight = 0;
    int32_t shownHeight = 0; // the animated height
    uintptr_t data = 0; // the caller's; the list never touches what it names

    // The height that counts for layout.
    int32_t LayoutHeight() const { return hidden ? 0 : shownHeight; }
    int32_t VisibleFullHeight() const { return hidden ? 0 : fullHeight; }
};
