#include "ux/graphics/UxDeviceImageInfo.h"

#include <tuple>

bool UxDeviceImageInfo::operator<(const UxDeviceImageInfo& other) const
{
    uintptr_t mine = reinterpret_cast<uintptr_t>(Stream);
    uintptr_t theirs = reinterpret_cast<uintptr_t>(other.Stream);
    return std::tie(mine, FileName, Type, Mode) < std::tie(theirs, other.FileName, other.Type, other.Mode);
}
