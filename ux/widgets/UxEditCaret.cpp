#include "ux/widgets/UxEditCaret.h"

#include "ux/core/UxClock.h"
#include "ux/core/UxEasing.h"
#include "ux/core/UxRect.h"
#include "ux/graphics/UxDeviceContext.h"
#include "ux/widgets/UxEdit.h"
#include "ux/widgets/UxEditGlyph.h"

#include <cmath>

namespace {

uint32_t Now()
{
    UxClock* clock = UxClock::GetInstance();
    return clock ? clock->GetTurnElapsed() : 0;
}

uint8_t LerpByte(uint8_t from, uint8_t to, float t)
{
    return uint8_t(std::lround(float(from) + (float(to) - float(from)) * Clamp(t, 0.0f, 1.0f)));
}

} // namespace

void UxEditCaret::Set(UxEditGlyph* start, UxEditGlyph* end)
{
    m_start = start;
    m_end = end;
    m_movingStart = false;
    m_atLineEnd = false;
    m_column = -1;
}

UxEditGlyph* UxEditCaret::GetCaretGlyph() const
{
    return m_movingStart && m_start ? m_start->GetNextGlyph() : m_end;
}

UxEditGlyph* UxEditCaret::GetFixedGlyph() const
{
    return m_movingStart || !m_start ? m_end : m_start->GetNextGlyph();
}

bool UxEditCaret::IsAtLineEnd() const
{
    const UxEditGlyph* g = GetCaretGlyph();
    const UxEditGlyph* before = g ? g->GetPrevGlyph() : nullptr;
    return m_atLineEnd && before && before->GetLine() && before->GetLine() != g->GetLine();
}

plat::RECT UxEditCaret::GetDocumentRect() const
{
    const UxEditGlyph* g = GetCaretGlyph();
    if (!g)
        return {};
    if (IsAtLineEnd()) {
        const plat::RECT& b = g->GetPrevGlyph()->GetRect();
        return plat::RECT { b.right, b.top, b.right + 2, b.bottom };
    }
    const plat::RECT& r = g->GetRect();
    return plat::RECT { r.left, r.top, r.left + 2, r.bottom };
}

bool UxEditCaret::HasSelection() const
{
    return m_start && m_start->GetNext() != m_end;
}

void UxEditCaret::Touch()
{
    m_lastChange = Now();
}

plat::RECT UxEditCaret::GetRect() const
{
    if (!m_end || !m_owner)
        return {};
    const plat::RECT caret
        = OffsetRect(GetDocumentRect(), m_owner->GetXAxis().GetOffset(), m_owner->GetYAxis().GetOffset());
    plat::RECT clipped;
    if (!IntersectRect(caret, m_owner->GetClientRect(), &clipped))
        return {};
    return clipped;
}

plat::COLORREF UxEditCaret::GetColour() const
{
    plat::COLORREF back = m_owner ? m_owner->GetBackColor() : 0xFFFFFF;
    if (!m_owner || !m_owner->IsFocused())
        return back;
    float t = float(UxClock::Since(m_lastChange, Now())) / float(m_period);
    if (t > 1.0f)
        t -= std::floor(t);
    UxEasingFunction ease = GetEasing(20);
    float e = ease ? ease(t, 0.0f, 1.0f, 1.0f) : t;
    return plat::RGB(LerpByte(plat::GetRValue(m_colour), plat::GetRValue(back), e),
        LerpByte(plat::GetGValue(m_colour), plat::GetGValue(back), e),
        LerpByte(plat::GetBValue(m_colour), plat::GetBValue(back), e));
}

void UxEditCaret::Invalidate() const
{
    plat::RECT r = GetRect();
    if (m_owner && !IsRectEmpty(r)) // an empty rect would repaint the whole window
        m_owner->Invalidate(r);
}

void UxEditCaret::Draw(UxDeviceContext& dc, const plat::RECT& dest) const
{
    plat::RECT r = GetRect();
    plat::RECT part;
    if (IsRectEmpty(r) || !IntersectRect(m_owner->ClientToSurface(r), dest, &part))
        return;
    dc.FillRect(GetColour(), part);
}
