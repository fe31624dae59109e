#pragma once

// Notification LEDs. The phone drives its vibration motor as its last notification LED;
// the desktop has neither, so the settings are only recorded for whoever asks.

#include <cstdint>

namespace plat {

constexpr int NLED_COUNT_INFO_ID = 0;
constexpr int NLED_SETTINGS_INFO_ID = 2;

struct NLED_COUNT_INFO {
    uint32_t cLeds = 0;
};

struct NLED_SETTINGS_INFO {
    uint32_t LedNum = 0;
    int32_t OffOnBlink = 0; // 0 off, 1 on, 2 blinking
    int32_t TotalCycleTime = 0;
    int32_t OnTime = 0;
    int32_t OffTime = 0;
    int32_t MetaCycleOn = 0;
    int32_t MetaCycleOff = 0;
};

// NLED_COUNT_INFO_ID fills an NLED_COUNT_INFO; false for other ids or a null record.
bool NLedGetDeviceInfo(int id, void* info);
// NLED_SETTINGS_INFO_ID with an NLED_SETTINGS_INFO: records the LED's state; false for
// other ids, a null record or an LED that does not exist.
bool NLedSetDevice(int id, void* info);

// The recorded state of one LED (OffOnBlink; 0 for an LED that does not exist) and how
// many settings calls it has had.
int32_t GetLedState(uint32_t led);
uint32_t GetLedChangeCount(uint32_t led);

// How many LEDs there are (2 unless changed: one light and the vibrator); resets every
// recorded state.
void SetLedCount(uint32_t count);

} // namespace plat
