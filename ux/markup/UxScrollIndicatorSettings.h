#pragma once

#include <cstdint>

// What the skin says of one scroll indicator bar.
struct UxScrollIndicatorSettings {
    int32_t enabled = 1;
    int32_t thick = 8;
    int32_t margin = 2;
};
