#pragma once

#include <cstdint>
#include <string>

// The key of a font: what a text style asks for.
struct UxFontInfo {
    int32_t Height = 0; // > 0 cell height, < 0 em height, 0 the default size
    int32_t Weight = 0; // 0 normal, 700 bold
    uint8_t Italic = 0;
    uint8_t Underline = 0;
    uint8_t StrikeOut = 0;
    std::wstring FaceName; // empty: the default face

    // Height, weight, italic, underline, strike-out, then the face name.
    bool operator<(const UxFontInfo& other) const;
    bool operator==(const UxFontInfo& other) const = default;
};
