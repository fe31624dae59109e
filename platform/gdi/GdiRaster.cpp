#include "platform/gdi/Gdi.h"
#include "platform/gdi/PixelOps.h"

#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

#if defined(__SSE2__)
    // Four pixels at a time, two per 16-bit half, with the same rounding as the scalar code.
    inline __m128i Div255(__m128i x)
    {
        x = _mm_add_epi16(x, _mm_set1_epi16(128));
        return _mm_srli_epi16(_mm_add_epi16(x, _mm_srli_epi16(x, 8)), 8);
    }

    inline __m128i AlphaOf(__m128i wide)
    {
        return _mm_shufflehi_epi16(_mm_shufflelo_epi16(wide, 0xFF), 0xFF);
    }

    // (s * a + d * (255 - a)) / 255 per byte.
    inline __m128i Lerp4(__m128i d, __m128i s, __m128i a, __m128i na)
    {
        const __m128i zero = _mm_setzero_si128();
        __m128i lo = _mm_add_epi16(
            _mm_mullo_epi16(_mm_unpacklo_epi8(s, zero), a), _mm_mullo_epi16(_mm_unpacklo_epi8(d, zero), na));
        __m128i hi = _mm_add_epi16(
            _mm_mullo_epi16(_mm_unpackhi_epi8(s, zero), a), _mm_mullo_epi16(_mm_unpackhi_epi8(d, zero), na));
        return _mm_packus_epi16(Div255(lo), Div255(hi));
    }

    // Premultiplied s over d, saturating.
    inline __m128i Over4(__m128i d, __m128i s)
    {
        const __m128i zero = _mm_setzero_si128();
        const __m128i full = _mm_set1_epi16(255);
        __m128i sLo = _mm_unpacklo_epi8(s, zero);
        __m128i sHi = _mm_unpackhi_epi8(s, zero);
        __m128i lo = _mm_mullo_epi16(_mm_unpacklo_epi8(d, zero), _mm_sub_epi16(full, AlphaOf(sLo)));
        __m128i hi = _mm_mullo_epi16(_mm_unpackhi_epi8(d, zero), _mm_sub_epi16(full, AlphaOf(sHi)));
        return _mm_adds_epu8(_mm_packus_epi16(Div255(lo), Div255(hi)), s);
    }

    // All bytes times a / 255.
    inline __m128i Scale4(__m128i s, __m128i a)
    {
        const __m128i zero = _mm_setzero_si128();
        __m128i lo = Div255(_mm_mullo_epi16(_mm_unpacklo_epi8(s, zero), a));
        __m128i hi = Div255(_mm_mullo_epi16(_mm_unpackhi_epi8(s, zero), a));
        return _mm_packus_epi16(lo, hi);
    }
#endif

    // Blends n pixels; returns how many it did (the rest go through the scalar loop).
    int BlendWide(uint32_t* d, const uint32_t* s, int n, uint32_t alpha, bool perPixel, bool sourceOpaque)
    {
#if defined(__SSE2__)
        const __m128i opaque = _mm_set1_epi32(sourceOpaque ? int(0xFF000000) : 0);
        const __m128i a = _mm_set1_epi16(int16_t(alpha));
        const __m128i na = _mm_set1_epi16(int16_t(255 - alpha));
        int i = 0;
        for (; i + 4 <= n; i += 4) {
            __m128i sv = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i)), opaque);
            __m128i dv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i));
            __m128i out;
            if (!perPixel)
                out = Lerp4(dv, sv, a, na);
            else
                out = Over4(dv, alpha == 255 ? sv : Scale4(sv, a));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), out);
        }
        return i;
#else
        (void)d, (void)s, (void)n, (void)alpha, (void)perPixel, (void)sourceOpaque;
        return 0;
#endif
    }

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
        case Op::Blend: {
            // A source without alpha is opaque: per-pixel blending is then a constant one.
            bool perPixel = p.perPixel && !p.sourceOpaque;
            if (p.alpha == 0)
                break;
            if (!perPixel && p.alpha == 255) {
                RunRow(d, s, n, Params { Op::Copy, 0, 255, false, p.sourceOpaque, p.destHasAlpha });
                break;
            }
            int i = BlendWide(d, s, n, p.alpha, perPixel, p.sourceOpaque);
            for (; i < n; ++i) {
                uint32_t v = p.sourceOpaque ? (s[i] | pixel::kOpaque) : s[i];
                if (!perPixel)
                    d[i] = pixel::Lerp(d[i], v, p.alpha);
                else
                    d[i] = pixel::Over(d[i], p.alpha == 255 ? v : pixel::Scale(v, p.alpha));
            }
            break;
        }
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

        // Whole rows of two bitmaps with the same layout lie in one run of memory: one
        // move instead of one a row (a scroll step or a full-width surface composed).
        const bool plainCopy = p.op == Op::Copy && !(p.sourceOpaque && p.destHasAlpha);
        if (plainCopy && !ax.stretched && !ay.stretched && ax.dst0 == 0 && ax.src0 == 0
            && ax.count == D.Width() && ax.count == S.Width() && D.PixelPitch() == ax.count
            && S.PixelPitch() == ax.count) {
            std::memmove(D.Row(ay.dst0), S.Row(ay.src0), size_t(ay.count) * size_t(ax.count) * 4);
            return true;
        }

        Source source { S.Row(0), S.PixelPitch() };
        std::vector<uint32_t> snapshot;
        if (&D == &S) {
            if (p.op == Op::Copy && !ax.stretched && !ay.stretched) {
                // Overlap-safe straight copy: rows in the direction away from the overlap,
                // memmove within a row.
                bool down = ay.dst0 > ay.src0;
                for (int k = 0; k < ay.count; ++k) {
                    int j = down ? ay.count - 1 - k : k;
                    std::memmove(
                        D.Row(ay.dst0 + j) + ax.dst0, S.Row(ay.src0 + j) + ax.src0, size_t(ax.count) * 4);
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
