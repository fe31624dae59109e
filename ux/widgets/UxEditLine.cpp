#include "ux/widgets/UxEditLine.h"

#include "ux/widgets/UxEditGlyphAnchor.h"
#include "ux/widgets/UxEditGlyphText.h"
#include "ux/widgets/UxEditParagraph.h"
#include "ux/widgets/UxEditRun.h"

#include <algorithm>

UxEditLine::~UxEditLine()
{
    DeleteRuns();
}

void UxEditLine::DeleteRuns()
{
    UxEditNode::DeleteRange(m_firstRun);
    m_firstRun = m_lastRun = nullptr;
}

UxEditParagraph* UxEditLine::GetParagraph() const
{
    return static_cast<UxEditParagraph*>(GetParent());
}

void UxEditLine::Take(UxEditGlyph* glyph)
{
    if (!m_firstGlyph)
        m_firstGlyph = glyph;
    m_lastGlyph = glyph;
    glyph->SetParent(this);
    m_rect.right += glyph->GetWidth();
    if (IsKindOf(glyph, &UxRuntimeClass::EditGlyphAnchor)
        && static_cast<UxEditGlyphAnchor*>(glyph)->GetKind() == UxEditGlyphAnchor::LineBreak)
        m_endsWithBreak = 1;
}

int32_t UxEditLine::CutAfter(UxEditGlyph* last)
{
    int32_t left = 0;
    for (UxEditGlyph* g = last; g != m_lastGlyph;) {
        g = g->GetNextGlyph();
        m_rect.right -= g->GetWidth();
        ++left;
    }
    m_lastGlyph = last;
    return left;
}

bool UxEditLine::LooksPast(const UxEditGlyph* at) const
{
    const UxEditGlyph* g = m_lastGlyph;
    for (int32_t i = 1; g && i <= m_lookahead; ++i) {
        g = g->GetNextGlyph();
        if (g == at)
            return i < m_lookahead;
    }
    return false;
}

void UxEditLine::Arrange(int32_t left, int32_t top)
{
    int32_t width = 0;
    for (UxEditGlyph* g = m_firstGlyph; g; g = g->GetNextGlyph()) {
        width += g->GetWidth();
        if (g == m_lastGlyph)
            break;
    }
    int32_t tallest = MaxHeight(m_firstGlyph, m_lastGlyph);
    m_rect = plat::RECT { left, top, left + width, top + tallest };
    m_mixedHeights = m_firstGlyph && MinHeight(m_firstGlyph, m_lastGlyph) != tallest ? 1 : 0;

    DeleteRuns();
    int32_t x = left;
    UxEditRun* run = nullptr;
    for (UxEditGlyph* g = m_firstGlyph; g; g = g->GetNextGlyph()) {
        int32_t w = g->GetWidth(), h = g->GetHeight();
        g->SetRect(plat::RECT { x, m_rect.bottom - h, x + w, m_rect.bottom });
        x += w;
        if (IsKindOf(g, &UxRuntimeClass::EditGlyphText)) {
            if (!run || run->GetStyle() != g->GetStyle()) {
                auto* next = new UxEditRun(g->GetStyle());
                next->SetParent(this);
                next->SetRect(g->GetRect());
                if (m_lastRun)
                    UxEditNode::Link(m_lastRun, next);
                else
                    m_firstRun = next;
                run = m_lastRun = next;
            }
            plat::RECT r = run->GetRect();
            r.right = g->GetRect().right;
            r.top = std::min(r.top, g->GetRect().top);
            run->SetRect(r);
            run->Append(static_cast<UxEditGlyphText*>(g)->GetShown());
        } else {
            run = nullptr; // a picture or an anchor ends the run
        }
        if (g == m_lastGlyph)
            break;
    }
}

void UxEditLine::Shift(int32_t dx, int32_t dy)
{
    Offset(dx, dy);
    for (UxEditGlyph* g = m_firstGlyph; g; g = g->GetNextGlyph()) {
        g->Offset(dx, dy);
        if (g == m_lastGlyph)
            break;
    }
    for (UxEditNode* r = m_firstRun; r; r = r->GetNext())
        r->Offset(dx, dy);
}
