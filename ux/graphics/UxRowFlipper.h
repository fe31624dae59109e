#pragma once

#include <cstdint>

class UxImage;

// Reverses the row order of a frame in place (row i swaps with row height - 1 - i).
class UxRowFlipper {
public:
    static void Flip(UxImage& image);
};
