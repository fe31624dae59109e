#include "ux/core/UxTween.h"

#include "ux/core/UxClock.h"
#include "ux/core/UxTimerManager.h"

namespace {

constexpr float kStepSeconds = 0.01f;

} // namespace

UxTween::UxTween()
    : m_easing(GetEasing(kUxDefaultEasing))
{
}

UxTween::~UxTween()
{
    Stop();
}

bool UxTween::SetEasing(int32_t id)
{
    UxEasingFunction easing = GetEasing(id);
    if (!easing)
        return false;
    m_easing = easing;
    return true;
}

void UxTween::SetSpec(const UxTransitionSpec& spec)
{
    m_duration = spec.duration;
    SetEasing(spec.easing);
}

float UxTween::Update()
{
    m_current = Peek(0);
    return m_current;
}

float UxTween::Peek(uint32_t aheadMs) const
{
    if (!(m_duration > 0))
        return m_to;
    UxClock* clock = UxClock::GetInstance();
    uint32_t now = clock ? clock->GetTurnElapsed() : m_start;
    float t = (static_cast<float>(UxClock::Since(m_start, now)) + static_cast<float>(aheadMs)) * 0.001f;
    t = Clamp(t, 0, m_duration);
    float e = m_easing(t, 0, 1.0f, m_duration);
    return Lerp(m_from, m_to, e);
}

bool UxTween::Start(UxTimerProc step, uintptr_t argument)
{
    Stop();
    m_current = m_from;
    UxClock* clock = UxClock::GetInstance();
    m_start = clock ? clock->GetElapsed() : 0;
    UxTimerManager* timers = UxTimerManager::GetInstance();
    if (!timers)
        return false;
    float duration = m_duration > 0 ? m_duration : kStepSeconds; // one step, then done
    m_timer = timers->Add(duration, kStepSeconds, step, argument);
    return m_timer != 0;
}

bool UxTween::IsRunning() const
{
    UxTimerManager* timers = UxTimerManager::GetInstance();
    return m_timer && timers && timers->IsAlive(m_timer);
}

void UxTween::Stop()
{
    if (m_timer) {
        if (UxTimerManager* timers = UxTimerManager::GetInstance())
            timers->Remove(m_timer);
        m_timer = 0;
    }
}
