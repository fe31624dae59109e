#pragma once

#include <cstdint>
#include <string>

// Text format bits (skin key "TextFormats"). Left and Top are the defaults and change
// nothing; the default text style uses HCenter | VCenter.
enum UxTextFormat : int32_t {
    UxTextLeft = 1,
    UxTextHCenter = 2,
    UxTextRight = 4,
    UxTextTop = 8,
    UxTextVCenter = 16,
    UxTextBottom = 32,
    UxTextEndEllipsis = 64,
};

// Each word found anywhere in the text adds its bit.
int32_t ParseTextFormats(const std::wstring& text);

// "Transparent" gives 1; "Opaque" and anything else 0.
int32_t ParseBackMode(const std::wstring& text);
