#include "ux/graphics/UxRowFlipper.h"

#include "ux/graphics/UxImage.h"

#include <algorithm>

void UxRowFlipper::Flip(UxImage& image)
{
    if (!image.GetPixels())
        return;
    int32_t height = image.GetHeight();
    int32_t stride = image.GetStride();
    for (int32_t i = 0; i < height / 2; ++i)
        std::swap_ranges(image.GetRow(i), image.GetRow(i) + stride, image.GetRow(height - 1 - i));
}
