#include "ux/widgets/UxEditDocument.h"

#include "ux/graphics/UxDeviceContext.h"
#include "ux/widgets/UxEditGlyph.h"
#include "ux/widgets/UxEditGlyphText.h"
#include "ux/widgets/UxEditHost.h"
#include "ux/widgets/UxEditLine.h"
#include "ux/widgets/UxEditParagraph.h"
#include "ux/widgets/UxEditRun.h"

#include <algorithm>

namespace {

bool Intersect(const plat::RECT& a, const plat::RECT& b, plat::RECT& out)
{
    out = plat::RECT { std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
        std::min(a.bottom, b.bottom) };
    return out.left < out.right && out.top < out.bottom;
}

plat::RECT Moved(const plat::RECT& r, const plat::POINT& by)
{
    return plat::RECT { r.left + by.x, r.top + by.y, r.right + by.x, r.bottom + by.y };
}

// Shown, so that a password's spaces stay hidden.
bool IsSpace(const UxEditGlyph* g)
{
    return IsKindOf(g, &UxRuntimeClass::EditGlyphText) && static_cast<const UxEditGlyphText*>(g)->GetShown() == L' ';
}

// A line may end in front of a picture or an anchor...
bool BreaksBefore(const UxEditGlyph* g)
{
    return !IsKindOf(g, &UxRuntimeClass::EditGlyphText);
}

// ...and after a space or a picture.
bool BreaksAfter(const UxEditGlyph* g)
{
    return IsSpace(g) || IsKindOf(g, &UxRuntimeClass::EditGlyphImage);
}

} // namespace

UxEditDocument::~UxEditDocument()
{
    Clear();
}

void UxEditDocument::Clear()
{
    // The chain is walked from its first glyph, which stays alive while the text does:
    // lines may still name glyphs that were deleted since the last layout.
    UxEditGlyph* first = m_first && m_first->GetFirstLine() ? m_first->GetFirstLine()->GetFirstGlyph() : nullptr;
    for (UxEditGlyph* g = first; g; g = g->GetNextGlyph())
        g->SetParent(nullptr);
    UxEditNode::DeleteRange(m_first);
    m_first = m_last = nullptr;
    m_rect.bottom = m_rect.top;
}

UxEditParagraph* UxEditDocument::InsertParagraphAfter(UxEditParagraph* after)
{
    auto* para = new UxEditParagraph;
    para->SetParent(this);
    para->SetRect(plat::RECT { 0, 0, GetWidth(), 0 });
    UxEditParagraph* next = after ? after->GetNextParagraph() : m_first;
    UxEditNode::Link(after, para);
    UxEditNode::Link(para, next);
    if (!after)
        m_first = para;
    if (!next)
        m_last = para;
    return para;
}

void UxEditDocument::DeleteParagraphsAfter(UxEditParagraph* after, UxEditParagraph* last)
{
    UxEditParagraph* first = after->GetNextParagraph();
    if (!first)
        return;
    UxEditParagraph* next = last ? last->GetNextParagraph() : nullptr;
    UxEditNode::DeleteRange(first, last);
    if (!next)
        m_last = after;
}

UxEditLine* UxEditDocument::Layout(UxEditGlyph* from, UxEditGlyph* to)
{
    if (!from)
        return nullptr;
    UxEditLine* line = from->GetLine();
    UxEditParagraph* para = line ? line->GetParagraph() : nullptr;
    if (!m_first || !para) {
        Clear();
        UxEditGlyph* first = from;
        while (first->GetPrevGlyph())
            first = first->GetPrevGlyph();
        para = InsertParagraphAfter(nullptr);
        UxEditParagraph* none = nullptr;
        UxEditLine* made = Fill(para, first, nullptr, none);
        Reposition(para, made, none);
        return made;
    }

    // The paragraphs from from's to to's held glyphs that may be gone: they are filled
    // anew. Those after to's paragraph are untouched by the change.
    UxEditParagraph* last = to && to->GetLine() ? to->GetLine()->GetParagraph() : nullptr;
    bool found = false;
    for (UxEditParagraph* p = para; p && !found; p = p->GetNextParagraph())
        found = p == last;
    if (!found)
        last = nullptr;
    if (last != para)
        DeleteParagraphsAfter(para, last);
    UxEditParagraph* next = para->GetNextParagraph();
    // The line above broke where it did for glyphs up to the first of this line or
    // past it: when those include changed ones, its break may move. The lines above it
    // broke on glyphs up to from at most.
    if (UxEditLine* prev = line->GetPrevLine(); prev && prev->LooksPast(from))
        line = prev;
    UxEditGlyph* start = line->GetFirstGlyph();
    para->DeleteLinesFrom(line);
    UxEditLine* made = Fill(para, start, to, next);
    Reposition(para, made, next);
    return made;
}

UxEditLine* UxEditDocument::Fill(UxEditParagraph* para, UxEditGlyph* glyph, UxEditGlyph* to, UxEditParagraph*& next)
{
    UxEditLine* firstMade = nullptr;
    bool placedTo = false;
    const bool wraps = !m_host || !m_host->IsSingleLine();
    while (glyph) {
        UxEditLine* line = para->AppendLine();
        if (!firstMade)
            firstMade = line;
        int32_t width = para->GetWidth();
        UxEditGlyph* breakAfter = nullptr; // the last glyph the line may end after
        do {
            if (!line->IsEmpty()) {
                if (line->EndsWithBreak())
                    break;
                if (BreaksBefore(glyph))
                    breakAfter = line->GetLastGlyph();
                int32_t used = line->GetWidth();
                // A space stays at the end of a line that fits, even past its edge.
                if (wraps && used + glyph->GetWidth() > width && !(IsSpace(glyph) && used <= width)) {
                    int32_t carried = 0;
                    if (breakAfter && breakAfter != line->GetLastGlyph()) {
                        carried = line->CutAfter(breakAfter);
                        glyph = breakAfter->GetNextGlyph();
                    }
                    line->SetLookahead(carried + 1);
                    break;
                }
            }
            line->Take(glyph);
            if (BreaksAfter(glyph))
                breakAfter = glyph;
            placedTo = placedTo || glyph == to;
            glyph = glyph->GetNextGlyph();
        } while (glyph);
        if (glyph && line->EndsWithBreak()) {
            if (placedTo && next)
                return firstMade; // the rest is laid out already
            para = InsertParagraphAfter(para);
        }
    }
    // The chain ended here: nothing after it can still be valid.
    DeleteParagraphsAfter(para, nullptr);
    next = nullptr;
    return firstMade;
}

int32_t UxEditDocument::AlignedLeft(const UxEditLine* line, int32_t width) const
{
    int32_t aligns = m_host ? m_host->GetAligns() : 1;
    if (aligns == 1)
        return 0;
    if (aligns != 2 && aligns != 3)
        return line->GetRect().left;
    // The spaces a line ends after are not part of what is aligned.
    int32_t shown = line->GetWidth();
    for (UxEditGlyph* g = line->GetLastGlyph(); g != line->GetFirstGlyph() && IsSpace(g); g = g->GetPrevGlyph())
        shown -= g->GetWidth();
    // A line longer than the width (one that is not wrapped) starts at the left.
    return std::max(0, aligns == 2 ? (width - shown) / 2 : width - shown);
}

int32_t UxEditDocument::GetExtent() const
{
    int32_t extent = GetWidth();
    for (UxEditParagraph* p = m_first; p; p = p->GetNextParagraph())
        for (UxEditLine* l = p->GetFirstLine(); l; l = l->GetNextLine())
            extent = std::max(extent, l->GetRect().right);
    return extent;
}

int32_t UxEditDocument::FirstTop() const
{
    const UxEditLine* line = m_first ? m_first->GetFirstLine() : nullptr;
    if (!m_host || !line || line->IsEmpty())
        return 0;
    return m_host->GetFirstLineTop(MaxHeight(line->GetFirstGlyph(), line->GetLastGlyph()));
}

void UxEditDocument::Reposition(UxEditParagraph* para, UxEditLine* line, UxEditParagraph* next)
{
    UxEditParagraph* p = para;
    for (; p && p != next; p = p->GetNextParagraph()) {
        UxEditParagraph* prev = p->GetPrevParagraph();
        int32_t top = prev ? prev->GetRect().bottom : FirstTop();
        UxEditLine* l = p == para && line ? line : p->GetFirstLine();
        int32_t y = l && l->GetPrevLine() ? l->GetPrevLine()->GetRect().bottom : top;
        for (; l; l = l->GetNextLine()) {
            l->Arrange(AlignedLeft(l, p->GetWidth()), y);
            y = l->GetRect().bottom;
        }
        p->SetRect(plat::RECT { 0, top, GetWidth(), top + TotalHeight(p->GetFirstLine()) });
    }
    // Paragraphs after the change keep their layout and only move up or down.
    for (; p; p = p->GetNextParagraph()) {
        int32_t dy = p->GetPrevParagraph()->GetRect().bottom - p->GetRect().top;
        if (dy == 0)
            break;
        p->Shift(0, dy);
    }
    m_rect.bottom = m_rect.top + (m_last ? m_last->GetRect().bottom : 0);
}

bool UxEditDocument::Draw(UxDeviceContext& dc, const plat::POINT& origin, const plat::RECT& clip)
{
    plat::COLORREF back = m_host ? m_host->GetBackColor() : 0xFFFFFF;
    bool ok = true;
    for (UxEditParagraph* p = m_first; p; p = p->GetNextParagraph()) {
        if (p->GetRect().bottom <= clip.top)
            continue;
        if (p->GetRect().top >= clip.bottom)
            break;
        for (UxEditLine* l = p->GetFirstLine(); l; l = l->GetNextLine()) {
            const plat::RECT& lr = l->GetRect();
            if (lr.bottom <= clip.top)
                continue;
            if (lr.top >= clip.bottom)
                break;
            // The whole band behind the line: runs paint their own background, but
            // pictures may be transparent and shorter glyphs leave room above them.
            plat::RECT band;
            if (Intersect(plat::RECT { p->GetRect().left, lr.top, p->GetRect().right, lr.bottom }, clip, band))
                dc.FillRect(back, Moved(band, origin));
            for (UxEditNode* run = l->GetFirstRun(); run; run = run->GetNext()) {
                if (run->GetRect().right > clip.left && run->GetRect().left < clip.right)
                    ok = run->Draw(dc, origin, clip) && ok;
            }
            for (UxEditGlyph* g = l->GetFirstGlyph(); g; g = g->GetNextGlyph()) {
                if (IsKindOf(g, &UxRuntimeClass::EditGlyphImage) && g->GetRect().right > clip.left
                    && g->GetRect().left < clip.right)
                    ok = g->Draw(dc, origin, clip) && ok;
                if (g == l->GetLastGlyph())
                    break;
            }
        }
    }
    return ok;
}

UxEditGlyph* UxEditDocument::HitTest(const plat::POINT& point) const
{
    for (UxEditParagraph* p = m_first; p; p = p->GetNextParagraph()) {
        if (point.y < p->GetRect().top || point.y >= p->GetRect().bottom)
            continue;
        for (UxEditLine* l = p->GetFirstLine(); l; l = l->GetNextLine()) {
            if (point.y < l->GetRect().top || point.y >= l->GetRect().bottom)
                continue;
            // Within the line's band a glyph is found by its columns, so the space above
            // a glyph shorter than the line still finds it.
            for (UxEditGlyph* g = l->GetFirstGlyph(); g; g = g->GetNextGlyph()) {
                if (point.x >= g->GetRect().left && point.x < g->GetRect().right)
                    return g;
                if (g == l->GetLastGlyph())
                    break;
            }
            return nullptr;
        }
    }
    return nullptr;
}
