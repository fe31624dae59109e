#pragma once

#include "ux/core/UxSingleton.h"

#include <cstdint>

// The keep-alive of a signed-in session: every period a PONG goes out, and its reply
// must come back before the next tick, or the session ends.
class TarvPong : public UxSingleton<TarvPong> {
public:
    ~TarvPong() override;

    // Starts the periodic timer; false when no timer could be had (the session then
    // goes on without keep-alive).
    bool Start();
    // Harmless when stopped.
    void Stop();
    bool IsRunning() const { return m_timer != 0; }
    bool IsAwaitingReply() const { return m_awaiting; }

    // One tick: send a PONG, or end the session when the last one got no reply.
    void OnTick();
    // The service answered the PONG.
    void OnReply();

    uint32_t GetLastSent() const { return m_lastSent; }
    uint32_t GetLastReply() const { return m_lastReply; }

    static constexpr float kPeriodSeconds = 10.0f;

private:
    static void OnTimer(uintptr_t argument);

    uint32_t m_timer = 0;
    uint32_t m_lastSent = 0; // UxClock milliseconds
    uint32_t m_lastReply = 0;
    // A PONG is out and unanswered. Kept beside the stamps so that a clock reading of 0
    // or a wrap of the millisecond count cannot hide a missed reply.
    bool m_awaiting = false;
};
