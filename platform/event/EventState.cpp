#include "platform/event/EventState.h"

namespace plat::detail {

EventState& State()
{
    static EventState state;
    return state;
}

EventState::~EventState()
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        timerStop = true;
    }
    timersChanged.notify_all();
    if (timerThread.joinable())
        timerThread.join();
}

UINT& CurrentTimerSource()
{
    thread_local UINT source = 0;
    return source;
}

} // namespace plat::detail
