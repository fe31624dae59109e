#pragma once

// Whether the screen shows what a full repaint of the same state would show: windows
// that reuse what they painted before (a scroll moving its old picture, a strip painted
// alone) must end every frame exactly as if everything had been painted anew.
//
//     driver.Flush();
//     EXPECT_EQ(DifferenceFromFullRepaint(driver.App(), [&] { driver.Flush(); }), "");

#include "platform/display/Display.h"
#include "platform/gdi/Bitmap.h"
#include "ux/core/UxWindow.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

// The frame's colours (the alpha bytes of the screen mean nothing), row by row.
inline std::vector<uint32_t> FrameColours()
{
    std::vector<uint32_t> pixels;
    const plat::Bitmap* frame = plat::GetDisplay() ? plat::GetDisplay()->GetFrame() : nullptr;
    if (!frame)
        return pixels;
    pixels.reserve(size_t(frame->Width()) * size_t(frame->Height()));
    for (int y = 0; y < frame->Height(); ++y)
        for (int x = 0; x < frame->Width(); ++x)
            pixels.push_back(frame->Row(y)[x] & 0xFFFFFF);
    return pixels;
}

// Repaints the whole of root (the desktop) and compares the frame shown just before with
// the repainted one: "" when they are identical, else how many pixels differ and the box
// around them. The clock does not move; flush delivers the paint.
inline std::string DifferenceFromFullRepaint(UxWindow& root, const std::function<void()>& flush)
{
    flush();
    const std::vector<uint32_t> shown = FrameColours();
    root.Invalidate(plat::RECT {}, true);
    flush();
    const std::vector<uint32_t> repainted = FrameColours();
    const plat::Bitmap* frame = plat::GetDisplay() ? plat::GetDisplay()->GetFrame() : nullptr;
    if (!frame || shown.size() != repainted.size())
        return "no frame to compare";
    const int width = frame->Width();
    size_t count = 0;
    int left = width, top = frame->Height(), right = -1, bottom = -1;
    for (size_t i = 0; i < shown.size(); ++i) {
        if (shown[i] == repainted[i])
            continue;
        const int x = int(i % size_t(width)), y = int(i / size_t(width));
        ++count;
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
    }
    if (!count)
        return "";
    return std::to_string(count) + " pixels differ in x " + std::to_string(left) + "-" + std::to_string(right)
        + ", y " + std::to_string(top) + "-" + std::to_string(bottom);
}
