#include "platform/event/EventState.h"

namespace plat::detail {

EventState& State()
{
    static EventState state;
    return state;
}

void WakeUiLocked(EventState& s)
{
    if (!s.uiWaiting)
        return;
    s.queueChanged.notify_all();
    if (s.source)
        s.source->Wake();
}

UINT& CurrentTimerSource()
{
    thread_local UINT source = 0;
    return source;
}

} // namespace plat::detail
