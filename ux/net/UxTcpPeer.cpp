#include "ux/net/UxTcpPeer.h"

#include "platform/event/Thread.h"
#include "platform/net/NetError.h"

#include <algorithm>
#include <climits>

UxTcpPeer::UxTcpPeer() = default;

UxTcpPeer::~UxTcpPeer()
{
    Close();
}

bool UxTcpPeer::Connect(const UxSocketAddress& address, int mode)
{
    m_ssl.SetMode(mode);
    return Open(address);
}

bool UxTcpPeer::Fail(int error)
{
    Close();
    plat::WSASetLastError(error);
    return false;
}

bool UxTcpPeer::Open(const UxSocketAddress& address)
{
    Close();
    if (!m_watcher.IsValid())
        return Fail(plat::WSAENOBUFS);
    if (!m_notifier.Create(this))
        return Fail(plat::WSAENOBUFS);
    if (!m_socket.CreateSocket() || !plat::SetNonBlocking(m_socket.GetSocket(), true))
        return Fail(plat::WSAGetLastError());
    m_ssl.SetHostName(address.host);
    m_state = Connecting;
    // Connect before the thread starts: a socket that never began connecting must not be
    // watched, or it would look writable and so connected.
    if (plat::ConnectSocket(m_socket.GetSocket(), address.in) != 0
        && plat::WSAGetLastError() != plat::WSAEWOULDBLOCK)
        return Fail(plat::WSAGetLastError());
    if (!m_watcher.Watch(m_socket.GetSocket()))
        return Fail(plat::WSAGetLastError());
    m_stop = false;
    m_readPending = false;
    m_writePending = false;
    if (!Start())
        return Fail(plat::WSAENOBUFS);
    return true;
}

bool UxTcpPeer::Send(const void* data, int n)
{
    if (m_socket.GetSocket() == plat::INVALID_SOCKET || n < 0 || (!data && n)) {
        plat::WSASetLastError(
            m_socket.GetSocket() == plat::INVALID_SOCKET ? plat::WSAENOTCONN : plat::WSAEFAULT);
        return false;
    }
    m_sendQueue.Append(data, static_cast<size_t>(n));
    Flush();
    return true;
}

void UxTcpPeer::Close()
{
    ++m_generation;
    // The thread ends before the window it posts to goes, and before its socket number
    // can be reused by anything else.
    m_stop = true;
    m_watcher.Wake();
    Join();
    m_notifier.Destroy();
    m_socket.CloseSocket();
    m_ssl.Release();
    m_sendQueue.Clear();
    m_receiveBuffer.Clear();
    m_ready = false;
    m_broken = false;
    m_wantWrite = false;
    m_readPending = false;
    m_writePending = false;
    m_state = Idle;
}

void UxTcpPeer::StopWatching()
{
    m_broken = true;
    m_stop = true;
    m_watcher.Wake();
}

void UxTcpPeer::PostEvent(int event)
{
    m_notifier.Post(event);
}

void UxTcpPeer::PostOnce(std::atomic<bool>& pending, int event)
{
    if (!pending.exchange(true) && !m_notifier.Post(event))
        pending = false;
}

uint32_t UxTcpPeer::Run()
{
    plat::SetCurrentThreadName("socket");
    const plat::SOCKET s = m_socket.GetSocket();
    if (s == plat::INVALID_SOCKET)
        return 0;
    // Asleep until the socket changes: bytes the UI thread has yet to read do not wake
    // this thread again, and a readable or writable event still queued stands for any
    // change that follows it.
    while (!m_stop) {
        int seen = m_watcher.Wait(-1);
        if (seen < 0 || m_stop)
            break;
        if (m_state == Connecting) {
            if (!(seen & (plat::kSocketWritable | plat::kSocketFailed)))
                continue;
            int error = plat::GetPendingError(s);
            if (error != 0 || !(seen & plat::kSocketWritable)) {
                m_connectError = error ? error : plat::WSAECONNREFUSED;
                PostEvent(EventConnectFailed);
                break; // nothing more to watch
            }
            // Bytes that came with the connection are read once it is handled.
            m_state = Connected;
            PostEvent(EventConnected);
        }
        // A hang-up or error shows as readable: the read then reports it.
        if (seen & (plat::kSocketReadable | plat::kSocketFailed))
            PostOnce(m_readPending, EventReadable);
        // Writable matters only while bytes wait to be sent; a wake asks to try again.
        if ((seen & (plat::kSocketWritable | plat::kSocketWoken)) && m_wantWrite)
            PostOnce(m_writePending, EventWritable);
    }
    return 0;
}

void UxTcpPeer::OnSocketEvent(int event)
{
    switch (event) {
    case EventConnected:
        HandleConnected();
        break;
    case EventConnectFailed:
        m_broken = true;
        OnConnectFailed(m_connectError);
        break;
    case EventWritable:
        // Cleared first: a change from here on posts a new event.
        m_writePending = false;
        if (!m_broken)
            Flush();
        break;
    case EventReadable:
        m_readPending = false;
        if (!m_broken)
            Receive();
        break;
    default:
        break;
    }
}

void UxTcpPeer::HandleConnected()
{
    if (!m_ssl.Connect(m_socket.GetSocket())) {
        // Reported as the failure it is, never as a connection.
        int error = plat::WSAGetLastError();
        StopWatching();
        OnConnectFailed(error ? error : plat::WSAECONNABORTED);
        return;
    }
    m_ready = true;
    const uint32_t generation = m_generation;
    OnConnected();
    if (generation == m_generation && m_sendQueue.Size())
        Flush();
}

void UxTcpPeer::Flush()
{
    if (!m_ready || m_broken || !m_sendQueue.Size())
        return;
    const uint32_t generation = m_generation;
    int size = static_cast<int>(std::min<size_t>(m_sendQueue.Size(), INT_MAX));
    int n = m_ssl.Send(m_sendQueue.Data(), size);
    if (n >= 0) {
        OnSent(m_sendQueue.Data(), n);
        if (generation != m_generation)
            return;
        m_sendQueue.Consume(static_cast<size_t>(n));
    } else {
        int error = plat::WSAGetLastError();
        if (error != plat::WSAEWOULDBLOCK) {
            StopWatching();
            OnSendError(error);
            return;
        }
    }
    bool want = m_sendQueue.Size() > 0;
    if (want != m_wantWrite.exchange(want) && want)
        m_watcher.Wake();
}

void UxTcpPeer::Receive()
{
    if (!m_ready || m_broken)
        return;
    const uint32_t generation = m_generation;
    uint8_t chunk[4096];
    size_t readThisEvent = 0;
    for (;;) {
        int n = m_ssl.Recv(chunk, sizeof chunk);
        if (n > 0) {
            m_receiveBuffer.Append(chunk, static_cast<size_t>(n));
            if (m_receiveBuffer.Size() > m_maxReceiveSize) {
                StopWatching();
                OnRecvError(plat::WSAEMSGSIZE);
                return;
            }
            readThisEvent += static_cast<size_t>(n);
            if (readThisEvent >= kReadPerEvent) {
                // More may wait in the socket or the TLS layer: come back after the
                // messages queued meanwhile.
                PostOnce(m_readPending, EventReadable);
                break;
            }
            continue;
        }
        if (n == 0) {
            StopWatching();
            OnClosed();
            break;
        }
        int error = plat::WSAGetLastError();
        if (error == plat::WSAEWOULDBLOCK)
            break;
        StopWatching();
        OnRecvError(error);
        return;
    }
    while (generation == m_generation && m_receiveBuffer.Size()) {
        int size = static_cast<int>(std::min<size_t>(m_receiveBuffer.Size(), INT_MAX));
        int length = 0;
        GetPacketLength(m_receiveBuffer.Data(), size, &length);
        // A length past the bytes present is treated as "not yet complete".
        if (generation != m_generation || length <= 0 || length > size)
            break;
        OnPacket(m_receiveBuffer.Data(), length);
        if (generation != m_generation)
            break;
        m_receiveBuffer.Consume(static_cast<size_t>(length));
    }
}
