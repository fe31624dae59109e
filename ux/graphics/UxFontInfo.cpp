#include "ux/graphics/UxFontInfo.h"

#include <tuple>

bool UxFontInfo::operator<(const UxFontInfo& other) const
{
    return std::tie(Height, Weight, Italic, Underline, StrikeOut, FaceName)
        < std::tie(other.Height, other.Weight, other.Italic, other.Underline, other.StrikeOut, other.FaceName);
}
