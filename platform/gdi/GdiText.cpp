#include "platform/gdi/Gdi.h"
#include "platform/gdi/PixelOps.h"

namespace plat {

namespace {

void DrawGlyph(Bitmap& bitmap, const RECT& clip, int penX, int baseline, const GlyphImage& glyph, uint32_t colour)
{
    int x0 = penX + glyph.left;
    int y0 = baseline - glyph.top;
    RECT area = pixel::Intersect(clip, RECT { x0, y0, x0 + glyph.width, y0 + glyph.height });
    for (int y = area.top; y < area.bottom; ++y) {
        const uint8_t* cov = glyph.coverage.data() + size_t(y - y0) * glyph.width + (area.left - x0);
        uint32_t* row = bitmap.Row(y);
        for (int x = area.left; x < area.right; ++x, ++cov) {
            uint32_t c = *cov;
            if (c == 255)
                row[x] = colour;
            else if (c)
                row[x] = pixel::Lerp(row[x], colour, c);
        }
    }
}

} // namespace

bool GetTextExtentExPointW(HDC dc, const wchar_t* text, int count, int maxExtent, int* fit, int* dx, SIZE* size)
{
    if (!dc || count < 0 || (count > 0 && !text))
        return false;
    FontInstance& font = dc->font->Instance();
    auto lock = font.Lock();
    int64_t width = 0;
    int fitting = 0;
    for (int i = 0; i < count; ++i) {
        width += font.Glyph(static_cast<char32_t>(text[i])).advance;
        if (width <= maxExtent && fitting == i)
            fitting = i + 1;
        if (dx)
            dx[i] = int(std::min<int64_t>(width, INT32_MAX));
    }
    if (fit)
        *fit = fitting;
    if (size) {
        size->cx = int(std::min<int64_t>(width, INT32_MAX));
        size->cy = font.Height();
    }
    return true;
}

bool ExtTextOutW(HDC dc, int x, int y, uint32_t options, const RECT* rect, const wchar_t* text, uint32_t count,
    const int* dx)
{
    if (!dc || (count > 0 && !text))
        return false;
    Bitmap& bitmap = *dc->bitmap;
    RECT bounds = pixel::DrawableBounds(*dc);
    uint32_t back = pixel::FromColorRef(dc->backColor);
    if (rect && (options & ETO_OPAQUE))
        pixel::Fill(bitmap, pixel::Intersect(bounds, *rect), back);
    if (count == 0)
        return true;
    RECT clip = (rect && (options & ETO_CLIPPED)) ? pixel::Intersect(bounds, *rect) : bounds;

    Font& handle = *dc->font;
    FontInstance& font = handle.Instance();
    auto lock = font.Lock();
    int64_t width = 0;
    for (uint32_t i = 0; i < count; ++i)
        width += dx ? dx[i] : font.Glyph(static_cast<char32_t>(text[i])).advance;
    int right = pixel::Clamp32(x + width);
    int bottom = pixel::Clamp32(int64_t(y) + font.Height());
    if (dc->backMode == OPAQUE)
        pixel::Fill(bitmap, pixel::Intersect(clip, RECT { x, y, right, bottom }), back);
    if (clip.left >= clip.right || clip.top >= clip.bottom || y >= clip.bottom || bottom <= clip.top)
        return true;

    uint32_t colour = pixel::FromColorRef(dc->textColor);
    int baseline = y + font.Ascent();
    int64_t pen = x;
    for (uint32_t i = 0; i < count && pen < clip.right; ++i) {
        const GlyphImage& glyph = font.Glyph(static_cast<char32_t>(text[i]));
        if (pen + glyph.left + glyph.width > clip.left && !glyph.coverage.empty())
            DrawGlyph(bitmap, clip, int(pen), baseline, glyph, colour);
        pen += dx ? dx[i] : glyph.advance;
    }
    const LOGFONTW& description = handle.Description();
    if (description.lfUnderline)
        pixel::Fill(bitmap,
            pixel::Intersect(clip,
                RECT { x, y + font.UnderlineTop(), right, y + font.UnderlineTop() + font.UnderlineThickness() }),
            colour);
    if (description.lfStrikeOut)
        pixel::Fill(bitmap,
            pixel::Intersect(clip, RECT { x, y + font.StrikeTop(), right, y + font.StrikeTop() + font.StrikeThickness() }),
            colour);
    return true;
}

} // namespace plat
