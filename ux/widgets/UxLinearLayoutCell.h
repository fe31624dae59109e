#pragma once

#include <cstdint>

class UxWindow;

// One window of a linear layout with its four neighbours (null: none) and its size,
// each either pixels (absolute) or a weight sharing what the pixels leave.
struct UxLinearLayoutCell {
    UxWindow* Window = nullptr;
    UxWindow* Left = nullptr;
    UxWindow* Up = nullptr;
    UxWindow* Right = nullptr;
    UxWindow* Down = nullptr;
    float Width = 1.0f;
    float Height = 1.0f;
    int32_t WidthAbsolute = 0;
    int32_t HeightAbsolute = 0;
};
