#pragma once

#include "platform/gdi/GdiTypes.h"
#include "ux/graphics/UxFontInfo.h"
#include "ux/graphics/UxTextFormats.h"

#include <cstdint>

// How a text item looks: its font key, background and colours, and its placement bits.
struct UxTextStyle {
    UxFontInfo Font;
    int32_t BackMode = 1; // transparent
    plat::COLORREF BackColor = 0xFFFFFF;
    plat::COLORREF TextColor = 0;
    int32_t Formats = UxTextHCenter | UxTextVCenter;
};
