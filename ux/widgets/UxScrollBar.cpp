#include "ux/widgets/UxScrollBar.h"

#include "ux/core/UxRect.h"
#include "ux/graphics/UxDeviceContext.h"
#include "ux/markup/UxSkinWords.h"
#include "ux/widgets/UxScrollAxis.h"
#include "ux/widgets/UxScrollWindow.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr plat::COLORREF kGrey = 0x808080;

} // namespace

UxScrollBar::UxScrollBar()
{
    m_fade.progress.SetFrom(0);
    m_fade.progress.SetTo(1);
    m_fade.progress.SetDuration(1.0f);
    m_fade.from = kShownAlpha;
    m_fade.to = 0;
    m_fade.current = kShownAlpha;
}

UxScrollBar::~UxScrollBar()
{
    StopFade();
}

bool UxScrollBar::Create(UxScrollWindow* owner, UxScrollAxis* axis)
{
    m_owner = owner;
    m_axis = axis;
    return m_surface.Create() && m_surface.Fill(kGrey);
}

void UxScrollBar::ApplySkin(const UxXmlNode* node)
{
    UxScrollIndicatorSettings settings { m_enabled, m_thickness, m_margin };
    LoadScrollIndicator(settings, node);
    ApplySettings(settings);
}

void UxScrollBar::ApplySettings(const UxScrollIndicatorSettings& settings)
{
    m_enabled = settings.enabled ? 1 : 0;
    // A negative thickness or margin would turn the rectangles inside out.
    m_thickness = std::max(0, settings.thick);
    m_margin = std::clamp(settings.margin, 0, m_thickness);
}

bool UxScrollBar::IsVertical() const
{
    return m_owner && m_axis == &m_owner->GetYAxis();
}

plat::RECT UxScrollBar::TrackRect() const
{
    if (!m_owner)
        return {};
    int32_t w = m_owner->GetXAxis().GetViewSize();
    int32_t h = m_owner->GetYAxis().GetViewSize();
    int32_t l = m_axis->GetViewSize();
    if (IsVertical())
        return { w - m_thickness, 0, w, l };
    return { 0, h - m_thickness, l, h };
}

plat::RECT UxScrollBar::ThumbRect() const
{
    if (!m_owner)
        return {};
    float t = static_cast<float>(m_axis->GetContentPixels());
    if (t <= 0)
        return {}; // nothing to show a share of
    int32_t l = m_axis->GetViewSize();
    float p = static_cast<float>(-m_axis->GetOffset());
    auto edge = [&](float v) {
        float e = v / t * static_cast<float>(l);
        if (!(e > 0))
            return 0;
        if (e >= static_cast<float>(l))
            return l;
        return static_cast<int32_t>(e);
    };
    int32_t start = edge(p);
    int32_t end = edge(p + static_cast<float>(l));
    plat::RECT track = TrackRect();
    if (IsVertical())
        return { track.left, start, track.right - m_margin, end };
    return { start, track.top, end, track.bottom - m_margin };
}

bool UxScrollBar::IsShowing() const
{
    return (m_axis && m_axis->IsMoving()) || (IsFading() && m_fade.current != 0);
}

bool UxScrollBar::Draw(UxDeviceContext& dc, const plat::RECT& rect)
{
    uint8_t alpha;
    if (m_axis && m_axis->IsMoving()) {
        StopFade();
        alpha = kShownAlpha;
        m_shown = 1;
    } else if (IsFading()) {
        alpha = m_fade.current;
        m_shown = 0;
    } else {
        return true;
    }
    if (IsRectEmpty(rect) || alpha == 0)
        return true;
    return dc.AlphaBlend(m_surface.GetDC(), rect, plat::RECT { 0, 0, 1, 1 }, alpha);
}

void UxScrollBar::StartFade(bool force)
{
    if (!force && !m_shown)
        return;
    m_fade.from = kShownAlpha;
    m_fade.current = kShownAlpha;
    m_fade.progress.Start(OnFadeStep, reinterpret_cast<uintptr_t>(this));
}

void UxScrollBar::StopFade()
{
    m_fade.progress.Stop();
}

void UxScrollBar::Reset()
{
    StopFade();
    m_fade.current = kShownAlpha;
    m_shown = 0;
    m_track = 0;
}

void UxScrollBar::OnFadeStep(uintptr_t bar)
{
    reinterpret_cast<UxScrollBar*>(bar)->Refresh();
}

void UxScrollBar::Refresh()
{
    float e = m_fade.progress.Update();
    float v = (1.0f - e) * m_fade.from + e * m_fade.to;
    m_fade.current = static_cast<uint8_t>(std::lround(std::clamp(v, 0.0f, 255.0f)));
    if (!m_owner)
        return;
    plat::RECT area = m_track ? TrackRect() : ThumbRect();
    m_track = 0;
    if (!IsRectEmpty(area))
        m_owner->Invalidate(area, false);
}
