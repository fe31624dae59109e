#pragma once

#include <cstdint>

namespace plat {

// Local wall-clock time, field for field as the phone's system clock reports it.
struct SystemTime {
    uint16_t wYear = 0;
    uint16_t wMonth = 0; // 1-12
    uint16_t wDayOfWeek = 0; // 0 = Sunday
    uint16_t wDay = 0;
    uint16_t wHour = 0;
    uint16_t wMinute = 0;
    uint16_t wSecond = 0;
    uint16_t wMilliseconds = 0;
};

void GetLocalTime(SystemTime* time);

// Blocks the calling thread for ms milliseconds (nothing for 0 or less).
void Sleep(int ms);

} // namespace plat
