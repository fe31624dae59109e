#include "platform/system/Led.h"

#include <mutex>
#include <vector>

namespace plat {

namespace {

    struct LedRecord {
        int32_t state = 0;
        uint32_t changes = 0;
    };

    struct LedState {
        std::mutex lock;
        std::vector<LedRecord> leds = std::vector<LedRecord>(2);
    };

    LedState& State()
    {
        static LedState state;
        return state;
    }

} // namespace

bool NLedGetDeviceInfo(int id, void* info)
{
    if (id != NLED_COUNT_INFO_ID || !info)
        return false;
    LedState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    static_cast<NLED_COUNT_INFO*>(info)->cLeds = uint32_t(s.leds.size());
    return true;
}

bool NLedSetDevice(int id, void* info)
{
    if (id != NLED_SETTINGS_INFO_ID || !info)
        return false;
    const auto* settings = static_cast<const NLED_SETTINGS_INFO*>(info);
    LedState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    if (settings->LedNum >= s.leds.size())
        return false;
    LedRecord& led = s.leds[settings->LedNum];
    led.state = settings->OffOnBlink;
    ++led.changes;
    return true;
}

int32_t GetLedState(uint32_t led)
{
    LedState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    return led < s.leds.size() ? s.leds[led].state : 0;
}

uint32_t GetLedChangeCount(uint32_t led)
{
    LedState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    return led < s.leds.size() ? s.leds[led].changes : 0;
}

void SetLedCount(uint32_t count)
{
    LedState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    s.leds.assign(count, LedRecord {});
}

} // namespace plat
