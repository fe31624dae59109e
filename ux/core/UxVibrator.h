#pragma once

#include "ux/core/UxSingleton.h"

#include <cstdint>

// Runs the vibration motor, which the platform exposes as its last notification LED,
// for a given time. Needs the timer manager for the stop.
class UxVibrator : public UxSingleton<UxVibrator> {
public:
    UxVibrator();
    ~UxVibrator() override;

    // Vibrates for the given seconds, restarting the full time when already on. Returns
    // the stop timer's id (0 when no timer could be made: the motor is then stopped
    // again rather than left running).
    uint32_t Start(float seconds);
    void Stop();

    bool IsOn() const { return m_on != 0; }
    uint32_t GetStopTimer() const { return m_stopTimer; }
    uint32_t GetLedIndex() const { return m_ledIndex; }

private:
    static void OnStopTimer(uintptr_t self);
    void SetLed(int32_t offOnBlink);

    uint32_t m_ledIndex = 0;
    uint8_t m_on = 0;
    uint32_t m_stopTimer = 0;
};
