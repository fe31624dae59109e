#include "messenger/protocol/connection/TarvPong.h"

#include "messenger/MessengerScreens.h"
#include "messenger/protocol/codec/PktOutEmpty.h"
#include "messenger/protocol/connection/TarvPeer.h"
#include "ux/core/UxClock.h"
#include "ux/core/UxTimerManager.h"

namespace {

uint32_t Now()
{
    UxClock* clock = UxClock::GetInstance();
    return clock ? clock->GetElapsed() : 0;
}

} // namespace

TarvPong::~TarvPong()
{
    Stop();
}

bool TarvPong::Start()
{
    Stop();
    m_lastSent = m_lastReply = 0;
    m_awaiting = false;
    UxTimerManager* timers = UxTimerManager::GetInstance();
    m_timer
        = timers ? timers->Add(0, kPeriodSeconds, &TarvPong::OnTimer, reinterpret_cast<uintptr_t>(this)) : 0;
    return m_timer != 0;
}

void TarvPong::Stop()
{
    if (!m_timer)
        return;
    if (UxTimerManager* timers = UxTimerManager::GetInstance())
        timers->Remove(m_timer);
    m_timer = 0;
}

void TarvPong::OnTimer(uintptr_t argument)
{
    reinterpret_cast<TarvPong*>(argument)->OnTick();
}

void TarvPong::OnTick()
{
    TarvPeer* peer = TarvPeer::GetInstance();
    if (!m_awaiting) {
        PktOutEmpty pong(L"PONG");
        if (peer)
            peer->Send(pong);
        // Counted as sent even when it could not be queued: the next tick then ends the
        // session instead of trying for ever.
        m_lastSent = Now();
        m_awaiting = true;
        return;
    }
    Stop();
    const wchar_t* alert = L"네트워크가 불안정하여 쿼릭스 서버와의 접속이 종료되었습니다.";
    if (peer)
        peer->EndSession(alert);
    else if (MessengerScreens* screens = MessengerScreens::GetCurrent())
        screens->ShowMsgBox(alert);
}

void TarvPong::OnReply()
{
    m_lastReply = Now();
    m_awaiting = false;
}
