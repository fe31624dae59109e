#include "ux/core/UxThread.h"

UxThread::~UxThread()
{
    Join();
}

bool UxThread::Start()
{
    if (m_thread.IsStarted())
        return false;
    if (!m_thread.Start([this] { Run(); }))
        return false;
    m_threadId = m_thread.GetId();
    m_running = true;
    return true;
}

bool UxThread::Join()
{
    m_thread.Join();
    m_threadId = 0;
    m_running = false;
    return true;
}
