#include "ux/core/UxClock.h"

#include "platform/event/Clock.h"

UxClock::UxClock()
    : m_start(plat::timeGetTime())
{
}

uint32_t UxClock::Update()
{
    uint32_t now = plat::timeGetTime();
    m_elapsed = now - m_start;
    return now;
}

uint32_t UxClock::GetElapsed() const
{
    return plat::timeGetTime() - m_start;
}

void UxClock::UpdateFrameRate()
{
    uint32_t d = Since(m_lastFrame, m_elapsed);
    if (d >= 1) {
        m_framesPerSecond = 1000.0f / static_cast<float>(d);
        m_lastFrame = m_elapsed;
    }
}

uint32_t UxClock::Since(uint32_t earlier, uint32_t later)
{
    auto d = static_cast<int32_t>(later - earlier);
    return d < 0 ? 0 : static_cast<uint32_t>(d);
}
