#include "ux/core/UxVibrator.h"

#include "platform/system/Led.h"
#include "ux/core/UxTimerManager.h"

UxVibrator::UxVibrator()
{
    plat::NLED_COUNT_INFO count;
    plat::NLedGetDeviceInfo(plat::NLED_COUNT_INFO_ID, &count);
    m_ledIndex = count.cLeds - 1;
    Stop();
}

UxVibrator::~UxVibrator()
{
    Stop();
}

void UxVibrator::SetLed(int32_t offOnBlink)
{
    plat::NLED_SETTINGS_INFO settings;
    settings.LedNum = m_ledIndex;
    settings.OffOnBlink = offOnBlink;
    plat::NLedSetDevice(plat::NLED_SETTINGS_INFO_ID, &settings);
}

uint32_t UxVibrator::Start(float seconds)
{
    Stop();
    UxTimerManager* timers = UxTimerManager::GetInstance();
    if (!timers)
        return 0;
    SetLed(1);
    m_stopTimer = timers->Add(seconds, seconds, OnStopTimer, reinterpret_cast<uintptr_t>(this));
    if (!m_stopTimer) {
        // Nothing would ever turn the motor off.
        SetLed(0);
        return 0;
    }
    m_on = 1;
    return m_stopTimer;
}

void UxVibrator::Stop()
{
    SetLed(0);
    if (m_stopTimer) {
        if (UxTimerManager* timers = UxTimerManager::GetInstance())
            timers->Remove(m_stopTimer);
        m_stopTimer = 0;
    }
    m_on = 0;
}

void UxVibrator::OnStopTimer(uintptr_t self)
{
    reinterpret_cast<UxVibrator*>(self)->Stop();
}
