#include "ux/widgets/UxEditRefreshTimer.h"

#include "ux/core/UxRect.h"
#include "ux/core/UxTimerManager.h"
#include "ux/widgets/UxEdit.h"
#include "ux/widgets/UxEditGlyphImage.h"

UxEditRefreshTimer::~UxEditRefreshTimer()
{
    Stop();
}

void UxEditRefreshTimer::Start()
{
    if (m_id)
        return;
    if (UxTimerManager* timers = UxTimerManager::GetInstance())
        m_id = timers->Add(0, m_period, OnTick, reinterpret_cast<uintptr_t>(this));
}

void UxEditRefreshTimer::Stop()
{
    if (!m_id)
        return;
    if (UxTimerManager* timers = UxTimerManager::GetInstance())
        timers->Remove(m_id);
    m_id = 0;
}

void UxEditRefreshTimer::OnTick(uintptr_t timer)
{
    reinterpret_cast<UxEditRefreshTimer*>(timer)->Tick();
}

void UxEditRefreshTimer::Tick()
{
    plat::RECT client = m_owner->GetClientRect();
    int32_t dx = m_owner->GetXAxis().GetOffset(), dy = m_owner->GetYAxis().GetOffset();
    for (UxEditGlyphImage* glyph : m_glyphs) {
        plat::RECT shown;
        if (IntersectRect(OffsetRect(glyph->GetRect(), dx, dy), client, &shown))
            m_owner->Invalidate(shown);
    }
    if (m_owner->StepFlash())
        m_owner->Invalidate();
    else if (m_owner->IsFocused())
        m_owner->GetCaret().Invalidate();
}
