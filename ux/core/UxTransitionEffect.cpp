#include "ux/core/UxTransitionEffect.h"

#include "ux/core/UxTransitionRequest.h"
#include "ux/graphics/UxDeviceContext.h"

namespace {

// One strip of a slide along the moving axis: from..from+length of a surface lands at
// origin + to.
struct Strip {
    int32_t from;
    int32_t to;
    int32_t length;
};

struct SlideLayout {
    Strip source;
    Strip target;
};

// The slides, along an axis of length n of which s still belongs to the source. Even
// directions (right, down) move towards the far end, odd ones towards the near end.
bool LayoutSlide(int32_t kind, bool towardsFar, int32_t n, int32_t s, SlideLayout& out)
{
    int32_t rest = n - s;
    switch (kind) {
    case UxTransitionRequest::Push:
        out = towardsFar ? SlideLayout { { 0, rest, s }, { s, 0, rest } }
                         : SlideLayout { { rest, 0, s }, { 0, s, rest } };
        return true;
    case UxTransitionRequest::Cover:
        out = towardsFar ? SlideLayout { { rest, rest, s }, { s, 0, rest } }
                         : SlideLayout { { 0, 0, s }, { 0, s, rest } };
        return true;
    case UxTransitionRequest::Uncover:
        out = towardsFar ? SlideLayout { { 0, rest, s }, { 0, 0, rest } }
                         : SlideLayout { { rest, 0, s }, { s, s, rest } };
        return true;
    default:
        return false;
    }
}

// The slide a kind and direction 0-3 make at progress p on a width x height window:
// whether it runs sideways, and where both strips go. False for another direction.
bool Slide(int32_t kind, int32_t parameter, int32_t width, int32_t height, float p, bool& horizontal,
    SlideLayout& layout)
{
    if (parameter < 0 || parameter > 3)
        return false;
    horizontal = parameter < 2;
    int32_t n = horizontal ? width : height;
    int32_t s = int32_t(float(n) * p);
    return LayoutSlide(kind, parameter % 2 == 0, n, s < 0 ? 0 : (s > n ? n : s), layout);
}

bool CopyStrip(UxDeviceContext& dest, UxDeviceContext& from, const Strip& strip, bool horizontal,
    plat::POINT origin, int32_t across)
{
    if (strip.length <= 0 || across <= 0)
        return true;
    plat::RECT src, to;
    if (horizontal) {
        src = { strip.from, 0, strip.from + strip.length, across };
        to = { origin.x + strip.to, origin.y, origin.x + strip.to + strip.length, origin.y + across };
    } else {
        src = { 0, strip.from, across, strip.from + strip.length };
        to = { origin.x, origin.y + strip.to, origin.x + across, origin.y + strip.to + strip.length };
    }
    return dest.Blit(from, to, src, plat::SRCCOPY);
}

// The w x h rectangle centred on the window that a picture scaled by scale fills.
plat::RECT Centred(int32_t width, int32_t height, float scale)
{
    int32_t w = int32_t(float(width) * scale);
    int32_t h = int32_t(float(height) * scale);
    if (w <= 0 || h <= 0)
        return {};
    int32_t left = (width - w) / 2;
    int32_t top = (height - h) / 2;
    return { left, top, left + w, top + h };
}

// The whole of from stretched into a w x h rectangle centred on the window.
bool StretchCentred(UxDeviceContext& dest, UxDeviceContext& from, plat::POINT origin, int32_t width,
    int32_t height, float scale)
{
    const plat::RECT to = Centred(width, height, scale);
    if (to.right <= to.left)
        return true;
    return dest.Blit(from, { origin.x + to.left, origin.y + to.top, origin.x + to.right, origin.y + to.bottom },
        { 0, 0, width, height }, plat::SRCCOPY);
}


} // namespace

bool UxDrawTransitionEffect(UxDeviceContext& dest, UxDeviceContext& source, UxDeviceContext& target,
    plat::POINT origin, float p, int32_t kind, int32_t parameter)
{
    int32_t width = source.GetWidth();
    int32_t height = source.GetHeight();
    if (width <= 0 || height <= 0)
        return kind >= 0 && kind <= UxTransitionRequest::ZoomIn;
    const plat::RECT whole { 0, 0, width, height };
    const plat::RECT screen { origin.x, origin.y, origin.x + width, origin.y + height };

    switch (kind) {
    case UxTransitionRequest::Push:
    case UxTransitionRequest::Cover:
    case UxTransitionRequest::Uncover: {
        bool horizontal = false;
        SlideLayout layout;
        if (!Slide(kind, parameter, width, height, p, horizontal, layout))
            return false;
        int32_t across = horizontal ? height : width;
        return CopyStrip(dest, source, layout.source, horizontal, origin, across)
            && CopyStrip(dest, target, layout.target, horizontal, origin, across);
    }
    case UxTransitionRequest::CrossFade:
        return dest.Blit(target, screen, whole, plat::SRCCOPY)
            && dest.AlphaBlend(source, screen, whole, uint8_t(p * 255.0f));
    case UxTransitionRequest::ZoomOut:
        return dest.Blit(target, screen, whole, plat::SRCCOPY)
            && StretchCentred(dest, source, origin, width, height, p);
    case UxTransitionRequest::ZoomIn:
        return dest.Blit(source, screen, whole, plat::SRCCOPY)
            && StretchCentred(dest, target, origin, width, height, 1.0f - p);
    default:
        return false;
    }
}

bool UxTransitionShowsTargetAt(
    plat::POINT point, int32_t width, int32_t height, float p, int32_t kind, int32_t parameter)
{
    if (point.x < 0 || point.y < 0 || point.x >= width || point.y >= height)
        return false;
    bool horizontal = false;
    SlideLayout slide;
    if (Slide(kind, parameter, width, height, p, horizontal, slide)) {
        // The target's strip lands where it lies in the target: it has arrived there.
        const Strip& target = slide.target;
        int32_t at = horizontal ? point.x : point.y;
        return target.from == target.to && at >= target.to && at < target.to + target.length;
    }
    switch (kind) {
    case UxTransitionRequest::CrossFade:
        return uint8_t(p * 255.0f) == 0;
    case UxTransitionRequest::ZoomOut: {
        const plat::RECT source = Centred(width, height, p);
        return !(point.x >= source.left && point.x < source.right && point.y >= source.top
            && point.y < source.bottom);
    }
    case UxTransitionRequest::ZoomIn: {
        const plat::RECT target = Centred(width, height, 1.0f - p);
        return target.left == 0 && target.top == 0 && target.right == width && target.bottom == height;
    }
    default:
        return false;
    }
}
