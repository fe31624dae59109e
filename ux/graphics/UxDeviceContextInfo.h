#pragma once

#include <cstdint>

// The key of a pooled surface: its size.
struct UxDeviceContextInfo {
    int32_t Width = 0;
    int32_t Height = 0;

    bool operator<(const UxDeviceContextInfo& other) const
    {
        return Width != other.Width ? Width < other.Width : Height < other.Height;
    }
    bool operator==(const UxDeviceContextInfo& other) const = default;
};
