#pragma once

// What the frame shows. Whether it is what a full repaint of the same state would show:
// windows that reuse what they painted before (a scroll moving its old picture, a strip
// painted alone) must end every frame exactly as if everything had been painted anew.
// And when a part of it looks still to a person.
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

// The frame's colours inside area (screen space), row by row (the alpha bytes of the
// screen mean nothing).
inline std::vector<uint32_t> AreaColours(const plat::RECT& area)
{
    std::vector<uint32_t> pixels;
    const plat::Bitmap* frame = plat::GetDisplay() ? plat::GetDisplay()->GetFrame() : nullptr;
    if (!frame)
        return pixels;
    const int left = std::max(0, area.left), right = std::min(frame->Width(), area.right);
    const int top = std::max(0, area.top), bottom = std::min(frame->Height(), area.bottom);
    if (left < right && top < bottom)
        pixels.reserve(size_t(right - left) * size_t(bottom - top));
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            pixels.push_back(frame->Row(y)[x] & 0xFFFFFF);
    return pixels;
}

// Lets manual time pass in 10 ms steps through advance until area (screen space) shows
// what shown says: the pixels wanted, or, when shown is empty, the same pixels for
// stillMs. Then what is there looks still to a person. False when that never came
// within limitMs.
inline bool WaitUntilStill(const plat::RECT& area, uint64_t stillMs, const std::function<void(uint64_t)>& advance,
    const std::vector<uint32_t>& shown = {}, uint64_t limitMs = 5000)
{
    std::vector<uint32_t> last = AreaColours(area);
    uint64_t still = 0;
    for (uint64_t passed = 0; passed < limitMs; passed += 10) {
        if (shown.empty() ? still >= stillMs : last == shown)
            return true;
        advance(10);
        std::vector<uint32_t> now = AreaColours(area);
        still = now == last ? still + 10 : 0;
        last = std::move(now);
    }
    return false;
}

// The whole frame's colours, row by row.
inline std::vector<uint32_t> FrameColours()
{
    const plat::Bitmap* frame = plat::GetDisplay() ? plat::GetDisplay()->GetFrame() : nullptr;
    return frame ? AreaColours({ 0, 0, frame->Width(), frame->Height() }) : std::vector<uint32_t> {};
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
