#include "ux/widgets/UxScrollAxis.h"

#include "ux/core/UxClock.h"
#include "ux/widgets/UxScrollWindow.h"

#include <climits>
#include <cmath>
#include <cstdlib>

namespace {

constexpr uint32_t kSampleWindowMs = 150;
constexpr float kMaxViewsPerSecond = 6.6666665f;

uint32_t Now()
{
    UxClock* clock = UxClock::GetInstance();
    return clock ? clock->GetElapsed() : 0;
}

} // namespace

UxScrollAxis::UxScrollAxis()
{
    m_fling.SetDuration(2.5f);
    m_settle.SetDuration(1.0f);
}

UxScrollAxis::~UxScrollAxis() = default;

void UxScrollAxis::SetOwner(UxScrollWindow* owner)
{
    m_owner = owner;
    if (owner)
        m_dragThreshold = owner->GetPointerTracker().GetSlop();
}

void UxScrollAxis::SetContentSize(int32_t units)
{
    m_contentSize = units;
    // A huge size or scale from the skin must not overflow the conversion.
    const float pixels = static_cast<float>(units) * m_scale;
    if (!(pixels == pixels))
        m_contentPixels = 0;
    else if (pixels >= static_cast<float>(INT32_MAX))
        m_contentPixels = INT32_MAX;
    else if (pixels <= static_cast<float>(INT32_MIN))
        m_contentPixels = INT32_MIN;
    else
        m_contentPixels = static_cast<int32_t>(pixels);
}

void UxScrollAxis::StopTweens()
{
    m_fling.Stop();
    m_settle.Stop();
}

bool UxScrollAxis::IsVisiblyMoving() const
{
    if (m_dragging)
        return true;
    if (m_fling.IsRunning() && std::fabs(m_fling.Peek(kStillMs) - m_flingPrevious) >= 1)
        return true;
    return m_settle.IsRunning() && std::fabs(m_settle.Peek(kStillMs) - static_cast<float>(m_offset)) >= 1;
}

void UxScrollAxis::PushSample(int32_t c)
{
    uint32_t now = Now();
    if (!m_samples.empty() && m_samples.back().value == c)
        m_samples.back() = { c, now };
    else
        m_samples.push_back({ c, now });
    while (m_samples.size() > 2 && UxClock::Since(m_samples.front().time, now) > kSampleWindowMs)
        m_samples.pop_front();
}

float UxScrollAxis::GetVelocity() const
{
    if (m_samples.size() < 2)
        return 0;
    const Sample& oldest = m_samples.front();
    const Sample& newest = m_samples.back();
    uint32_t span = UxClock::Since(oldest.time, newest.time);
    // Two samples in the same millisecond say nothing about speed.
    if (oldest.value == newest.value || span == 0)
        return 0;
    float v = static_cast<float>(newest.value - oldest.value) / (static_cast<float>(span) * 0.001f);
    float limit = static_cast<float>(m_viewSize) * kMaxViewsPerSecond;
    return std::fmax(-limit, std::fmin(limit, v));
}

void UxScrollAxis::OnPointerDown(int32_t c)
{
    if (!m_draggable)
        return;
    StopTweens();
    m_dragging = 0;
    m_dragStart = c;
    m_samples.clear();
    m_samples.push_back({ c, Now() });
    // Content left outside its range by an interrupted fling jumps back at once.
    Settle(false);
}

void UxScrollAxis::OnPointerMove(int32_t c)
{
    if (!m_draggable)
        return;
    if (!m_dragging) {
        if (std::abs(c - m_dragStart) >= m_dragThreshold) {
            m_dragging = 1;
            if (m_owner)
                m_owner->OnDragStart(this);
        }
    } else if (!m_samples.empty() && m_samples.back().value != c) {
        int32_t delta = c - m_samples.back().value;
        if (m_elastic && (m_offset > 0 || GetGap() >= 1))
            delta /= 2;
        SetPosition(m_offset + delta);
        if (m_owner)
            m_owner->RequestRepaint();
    }
    PushSample(c);
}

void UxScrollAxis::OnPointerUp(int32_t c)
{
    if (!m_draggable || !m_dragging)
        return;
    PushSample(c);
    m_settle.Stop();
    StartFling(GetVelocity() * m_flingFactor);
    m_dragging = 0;
}

void UxScrollAxis::StartFling(float distance)
{
    m_fling.SetFrom(0);
    m_fling.SetTo(distance);
    m_flingPrevious = 0;
    m_lastFriction = Now(); // edge friction counts from the start of this fling
    m_fling.Start(OnFlingStep, reinterpret_cast<uintptr_t>(this));
    if (m_owner)
        m_owner->OnScrollStart(this);
}

void UxScrollAxis::OnFlingStep(uintptr_t axis)
{
    reinterpret_cast<UxScrollAxis*>(axis)->FlingStep();
}

void UxScrollAxis::FlingStep()
{
    bool eaten = false;
    if (m_elastic) {
        uint32_t now = Now();
        float elapsed = static_cast<float>(UxClock::Since(m_lastFriction, now));
        float remaining = m_fling.GetTo();
        float over = 0;
        if (remaining > 0 && m_offset >= 1)
            over = elapsed * static_cast<float>(m_offset) * m_edgeFriction;
        int32_t gap = GetGap();
        if (remaining < 0 && gap >= 1)
            over += elapsed * static_cast<float>(gap) * m_edgeFriction;
        if (std::fabs(remaining) < over)
            remaining = 0;
        else if (remaining > 0)
            remaining -= over;
        else if (remaining < 0)
            remaining += over;
        m_fling.SetTo(remaining);
        m_lastFriction = now;
        if (remaining == 0) {
            m_fling.Stop();
            eaten = true; // the edge took the rest of the fling; settling follows
        }
    }
    if (!eaten) {
        float value = m_fling.Update();
        if (std::fabs(m_flingPrevious) <= std::fabs(value)) {
            SetPosition(m_offset + static_cast<int32_t>(value) - static_cast<int32_t>(m_flingPrevious));
            m_flingPrevious = value;
        } else {
            m_fling.Stop();
        }
    }
    bool running = m_fling.IsRunning();
    if (!running)
        Settle();
    if (m_owner)
        m_owner->RequestRepaint();
    if (!running && m_owner)
        m_owner->OnScrollStop(this);
}

void UxScrollAxis::SetPosition(int32_t offset)
{
    int32_t delta = offset - m_offset;
    if (delta && m_owner) {
        bool horizontal = this == &m_owner->GetXAxis();
        for (UxWindow* child = m_owner->GetFirstChild(); child; child = child->GetNextSibling()) {
            plat::RECT r = child->GetRect();
            if (horizontal)
                child->SetPosition({ r.left + delta, r.top });
            else
                child->SetPosition({ r.left, r.top + delta });
            if (child->IsVisible())
                child->Invalidate();
        }
        // The whole picture moves, though a paint draws only the strips it uncovers: all
        // of it has to reach the screen.
        m_owner->Invalidate(plat::RECT {}, false);
    }
    m_offset = offset;
    m_position = static_cast<int32_t>(static_cast<float>(offset) / m_scale);
    if (delta && m_owner)
        m_owner->OnScrolled(this);
}

void UxScrollAxis::ScrollTo(int32_t position)
{
    int32_t target = static_cast<int32_t>(static_cast<float>(position) * m_scale);
    if (!m_draggable) {
        StopTweens();
        SetPosition(target);
        // The jump itself must reach the screen, also when no settle follows.
        if (!Settle() && m_owner)
            m_owner->Invalidate();
        return;
    }
    m_settle.Stop();
    StartFling(static_cast<float>(target - m_offset));
}

bool UxScrollAxis::Settle()
{
    return Settle(m_elastic != 0);
}

bool UxScrollAxis::Settle(bool elastic)
{
    int32_t target;
    if (m_offset >= 1) {
        target = 0;
    } else if (m_contentPixels >= m_viewSize) {
        if (m_viewSize - m_contentPixels - m_offset < 1)
            return false; // in range
        target = m_viewSize - m_contentPixels;
    } else {
        target = 0;
    }
    if (m_offset == target)
        return false;
    if (!elastic) {
        SetPosition(target);
        if (m_owner)
            m_owner->RequestRepaint();
        return true;
    }
    m_fling.Stop();
    m_settle.SetFrom(static_cast<float>(m_offset));
    m_settle.SetTo(static_cast<float>(target));
    m_settle.Start(OnSettleStep, reinterpret_cast<uintptr_t>(this));
    if (m_owner)
        m_owner->OnSettleStart(this);
    return true;
}

void UxScrollAxis::OnSettleStep(uintptr_t axis)
{
    reinterpret_cast<UxScrollAxis*>(axis)->SettleStep();
}

void UxScrollAxis::SettleStep()
{
    SetPosition(static_cast<int32_t>(m_settle.Update()));
    if (m_owner)
        m_owner->RequestRepaint();
    if (!m_settle.IsRunning() && m_owner)
        m_owner->OnSettleStop(this);
}
