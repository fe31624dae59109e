#pragma once

#include "platform/net/SocketWatcher.h"
#include "ux/core/UxThread.h"
#include "ux/net/UxByteBuffer.h"
#include "ux/net/UxSocket.h"
#include "ux/net/UxSslSocket.h"
#include "ux/net/UxTcpPeerNotifier.h"

#include <atomic>
#include <cstdint>

// Asynchronous TCP client, optionally over TLS. A socket thread of its own only waits
// and posts events (0 connected, 1 connect failed, 2 writable, 3 readable) to the UI
// thread; every read, write and callback happens on the UI thread. Subclasses implement
// the framing and the callbacks.
class UxTcpPeer : public UxThread {
public:
    enum State { Idle = 0, Connecting = 1, Connected = 2 };
    enum Event { EventConnected = 0, EventConnectFailed = 1, EventWritable = 2, EventReadable = 3 };

    UxTcpPeer();
    virtual ~UxTcpPeer();
    UxTcpPeer(const UxTcpPeer&) = delete;
    UxTcpPeer& operator=(const UxTcpPeer&) = delete;

    // Body of the socket thread.
    uint32_t Run() override;

    // After the connection (and the TLS handshake, in TLS mode) succeeded.
    virtual void OnConnected() = 0;
    // The connection or the handshake failed, with the Winsock error seen.
    virtual void OnConnectFailed(int error) = 0;
    // After each send of n bytes (n may be 0), before they leave the queue.
    virtual void OnSent(const uint8_t* data, int n) = 0;
    virtual void OnSendError(int error) = 0;
    // Sets length to the size of the complete packet at the front (never more than
    // size), or 0 while more bytes are needed.
    virtual int GetPacketLength(const uint8_t* data, int size, int* length) = 0;
    virtual void OnPacket(const uint8_t* data, int length) = 0;
    virtual void OnRecvError(int error) = 0;
    // The server closed the connection.
    virtual void OnClosed() = 0;

    // Sets the TLS mode (UxSslSocket::Mode), then Open.
    bool Connect(const UxSocketAddress& address, int mode);
    // Closes any earlier connection, then starts connecting. False with the Winsock error
    // set when a step fails (an unresolved 0.0.0.0 gives WSAEADDRNOTAVAIL); then nothing
    // is left open and no callback follows.
    bool Open(const UxSocketAddress& address);
    // Queues the bytes and tries to send them; false (WSAENOTCONN) when not open.
    bool Send(const void* data, int n);
    // UI thread only. Wakes and joins the socket thread, closes the socket and empties
    // both buffers; events still queued for this peer are dropped.
    void Close();
    // One send from the queue.
    void Flush();
    // Reads what has arrived, then cuts packets.
    void Receive();

    // UI thread: one event from the socket thread.
    void OnSocketEvent(int event);

    int GetState() const { return m_state.load(); }
    // Changes whenever the connection closes (and so with every new one): work that
    // outlives a turn of the loop can tell whether its connection is still there.
    uint32_t GetGeneration() const { return m_generation; }
    UxSslSocket& GetSslSocket() { return m_ssl; }
    size_t GetQueuedBytes() const { return m_sendQueue.Size(); }
    // A peer whose unfinished packet grows past this fails with WSAEMSGSIZE.
    void SetMaxReceiveSize(size_t bytes) { m_maxReceiveSize = bytes; }

    static constexpr size_t kDefaultMaxReceiveSize = 16 * 1024 * 1024;
    // Bytes read per readable event; the rest is read on a follow-up event so the UI
    // thread stays responsive under a flood.
    static constexpr size_t kReadPerEvent = 256 * 1024;

protected:
    UxTcpPeerNotifier m_notifier;
    UxSocket m_socket;
    std::atomic<int> m_state { Idle };
    UxByteBuffer m_sendQueue;
    UxByteBuffer m_receiveBuffer;
    UxSslSocket m_ssl;

private:
    void PostEvent(int event);
    // Posts the event unless one is still queued.
    void PostOnce(std::atomic<bool>& pending, int event);
    void StopWatching();
    void HandleConnected();
    bool Fail(int error);

    plat::SocketWatcher m_watcher;
    std::atomic<bool> m_stop { false };
    std::atomic<bool> m_wantWrite { false };
    // A readable or writable event is queued and not yet handled: at most one of each
    // waits, so a busy UI thread never finds its queue flooded.
    std::atomic<bool> m_readPending { false };
    std::atomic<bool> m_writePending { false };
    std::atomic<int> m_connectError { 0 };
    // UI thread only.
    bool m_ready = false; // connected and, in TLS mode, the handshake done
    bool m_broken = false; // closed by the server or failed: no more reads or sends
    uint32_t m_generation = 0; // bumped by Close, so callbacks that close are noticed
    size_t m_maxReceiveSize = kDefaultMaxReceiveSize;
};
