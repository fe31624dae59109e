#include "platform/gdi/Gdi.h"
#include "platform/gdi/PixelOps.h"

#include <cstring>
#include <vector>

namespace plat {

namespace {

// One axis of an operation after clipping: destination coordinates [dst0, dst0 + count),
// reading source coordinate src0 + i (straight) or map[i] (stretched).
struct Axis {
    int dst0 = 0;
    int count = 0;
    int src0 = 0;
    bool stretched = false;
    std::vector<int> map;
};

// d/dw: destination start and size; [lo, hi): where the destination may be written;
// s/sw: source start and size; srcSize: the source bitmap's extent on this axis.
Axis ClipAxis(int d, int dw, int lo, int hi, int s, int sw, int srcSize)
{
    Axis axis;
    int64_t first = std::max<int64_t>(d, lo);
    int64_t end = std::min<int64_t>(int64_t(d) + dw, hi);
    if (dw == sw) {
        first = std::max<int64_t>(first, int64_t(d) + (0 - int64_t(s)));
        end = std::min<int64_t>(end, int64_t(d) + (srcSize - int64_t(s)));
        if (end > first) {
            axis.dst0 = int(first);
            axis.count = int(end - first);
            axis.src0 = int(s + (first - d));
        }
        return axis;
    }
    axis.stretched = true;
    for (int64_t i = first; i < end; ++i) {
        int64_t offset = (2 * (i - d) + 1) * int64_t(sw) / (2 * int64_t(dw));
        int64_t si = s + offset;
        if (si < 0) {
            first = i + 1;
            continue;
        }
        if (si >= srcSize)
            break;
        axis.map.push_back(int(si));
    }
    axis.dst0 = int(first);
    axis.count = int(axis.map.size());
    return axis;
}

// Where source rows come from: the source bitmap, or a snapshot of it when source and
// destination are one bitmap and rows could be overwritten before they are read.
struct Source {
    const uint32_t* origin = nullptr; // pixel (0, 0)
    ptrdiff_t pitch = 0;
    const uint32_t* Row(int y) const { return origin + y * pitch; }
};

enum class Op { Copy, Key, Blend };

struct Params {
    Op op = Op::Copy;
    uint32_t key = 0; // R, G, B of the colour key as pixel bits
    uint32_t alpha = 255;
    bool perPixel = false;
    bool sourceOpaque = false; // the source has no alpha: read it as 255
    bool destHasAlpha = false;
};

void RunRow(uint32_t* d, const uint32_t* s, int n, const Params& p)
{
    switch (p.op) {
    case Op::Copy:
        if (p.sourceOpaque && p.destHasAlpha) {
            for (int i = 0; i < n; ++i)
                d[i] = s[i] | pixel::kOpaque;
        } else {
            std::memmove(d, s, size_t(n) * 4);
        }
        break;
    case Op::Key:
        for (int i = 0; i < n; ++i) {
            if ((s[i] & 0x00FFFFFF) != p.key)
                d[i] = p.sourceOpaque ? (s[i] | pixel::kOpaque) : s[i];
        }
        break;
    case Op::Blend:
        if (!p.perPixel || p.sourceOpaque) {
            // A source without alpha is opaque: per-pixel blending is then a constant one.
            uint32_t a = p.alpha;
            if (a == 0)
                break;
            for (int i = 0; i < n; ++i) {
                uint32_t v = p.sourceOpaque ? (s[i] | pixel::kOpaque) : s[i];
                d[i] = a == 255 ? v : pixel::Lerp(d[i], v, a);
            }
        } else if (p.alpha == 255) {
            for (int i = 0; i < n; ++i) {
                uint32_t v = s[i];
                uint32_t sa = v >> 24;
                if (sa == 255)
                    d[i] = v;
                else if (v != 0)
                    d[i] = pixel::Over(d[i], v);
            }
        } else {
            for (int i = 0; i < n; ++i)
                d[i] = pixel::Over(d[i], pixel::Scale(s[i], p.alpha));
        }
        break;
    }
}

bool Raster(HDC dest, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh, Params p)
{
    if (!dest || !src || w < 0 || h < 0 || sw < 0 || sh < 0)
        return false;
    if (w == 0 || h == 0 || sw == 0 || sh == 0)
        return true;
    Bitmap& D = *dest->bitmap;
    Bitmap& S = *src->bitmap;
    RECT bounds = pixel::DrawableBounds(*dest);
    Axis ax = ClipAxis(x, w, bounds.left, bounds.right, sx, sw, S.Width());
    Axis ay = ClipAxis(y, h, bounds.top, bounds.bottom, sy, sh, S.Height());
    if (ax.count <= 0 || ay.count <= 0)
        return true;
    p.sourceOpaque = !S.HasAlpha();
    p.destHasAlpha = D.HasAlpha();

    Source source { S.Row(0), S.PixelPitch() };
    std::vector<uint32_t> snapshot;
    if (&D == &S) {
        if (p.op == Op::Copy && !ax.stretched && !ay.stretched) {
            // Overlap-safe straight copy: rows in the direction away from the overlap,
            // memmove within a row.
            bool down = ay.dst0 > ay.src0;
            for (int k = 0; k < ay.count; ++k) {
                int j = down ? ay.count - 1 - k : k;
                std::memmove(D.Row(ay.dst0 + j) + ax.dst0, S.Row(ay.src0 + j) + ax.src0, size_t(ax.count) * 4);
            }
            return true;
        }
        // Otherwise read from a copy of the whole bitmap's rows in use.
        snapshot.resize(size_t(S.Width()) * S.Height());
        for (int row = 0; row < S.Height(); ++row)
            std::memcpy(snapshot.data() + size_t(row) * S.Width(), S.Row(row), size_t(S.Width()) * 4);
        source = Source { snapshot.data(), S.Width() };
    }

    std::vector<uint32_t> gathered(ax.stretched ? size_t(ax.count) : 0);
    for (int j = 0; j < ay.count; ++j) {
        const uint32_t* srow = source.Row(ay.stretched ? ay.map[j] : ay.src0 + j);
        uint32_t* drow = D.Row(ay.dst0 + j) + ax.dst0;
        if (ax.stretched) {
            for (int i = 0; i < ax.count; ++i)
                gathered[i] = srow[ax.map[i]];
            RunRow(drow, gathered.data(), ax.count, p);
        } else {
            RunRow(drow, srow + ax.src0, ax.count, p);
        }
    }
    return true;
}

} // namespace

bool BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop)
{
    if (rop != SRCCOPY)
        return false;
    return Raster(dest, x, y, width, height, src, srcX, srcY, width, height, Params {});
}

bool StretchBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
    int srcHeight, DWORD rop)
{
    if (rop != SRCCOPY)
        return false;
    return Raster(dest, x, y, width, height, src, srcX, srcY, srcWidth, srcHeight, Params {});
}

bool TransparentImage(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY,
    int srcWidth, int srcHeight, COLORREF key)
{
    Params p;
    p.op = Op::Key;
    p.key = pixel::FromColorRef(key) & 0x00FFFFFF;
    return Raster(dest, x, y, width, height, src, srcX, srcY, srcWidth, srcHeight, p);
}

bool AlphaBlend(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
    int srcHeight, BLENDFUNCTION blend)
{
    if (blend.BlendOp != AC_SRC_OVER)
        return false;
    Params p;
    p.op = Op::Blend;
    p.alpha = blend.SourceConstantAlpha;
    p.perPixel = (blend.AlphaFormat & AC_SRC_ALPHA) != 0;
    return Raster(dest, x, y, width, height, src, srcX, srcY, srcWidth, srcHeight, p);
}

} // namespace plat
