#pragma once

#include "platform/net/Socket.h"

#include <string>

typedef struct ssl_ctx_st SSL_CTX;
typedef struct ssl_st SSL;

// An optional TLS client layer over a connected socket, with one Send/Recv pair
// whatever the mode. Used on one thread at a time.
class UxSslSocket {
public:
    enum Mode { Plain = 0, SslV2 = 1, SslV3 = 2, TlsV1 = 3 };

    UxSslSocket();
    virtual ~UxSslSocket();
    UxSslSocket(const UxSslSocket&) = delete;
    UxSslSocket& operator=(const UxSslSocket&) = delete;

    void SetMode(int mode) { m_mode = mode; }
    int GetMode() const { return m_mode; }
    void SetTimeout(int milliseconds) { m_timeout = milliseconds; }
    int GetTimeout() const { return m_timeout; }
    // The name the server's certificate must carry (a DNS name or a dotted address).
    void SetHostName(const std::wstring& host) { m_host = host; }

    // Plain mode only stores the socket. The TLS mode negotiates TLS 1.0 or newer and
    // verifies the server (system store plus QUORIX_CA_FILE, host name checked; off with
    // QUORIX_TLS_VERIFY=0); the handshake takes at most the time-out and stops at the
    // first fatal error. SSLv2 and SSLv3 no longer exist and fail. On failure the
    // Winsock error is set (WSAETIMEDOUT for a time-out). Anything left from an earlier
    // connection is freed first.
    bool Connect(plat::SOCKET socket);

    // Bytes moved, 0 at the end of the stream (Recv), or a negative value with the
    // Winsock error set: WSAEWOULDBLOCK when a non-blocking socket must wait,
    // WSAENOTCONN when there is no connection.
    int Send(const void* data, int n);
    int Recv(void* buffer, int n);

    // Frees the TLS objects and forgets the socket, keeping mode and time-out.
    void Release();
    // Release, then time-out 10,000 and plain mode.
    void Close();

    bool IsSecure() const { return m_ssl != nullptr; }
    // Whether the server has said that it ends the session (TLS's close_notify) on this
    // connection. A bare end of the connection under TLS, which Recv reports as an end
    // of stream as well, may have been anyone's.
    bool PeerSentCloseNotify() const { return m_closeNotified; }

    static constexpr int kDefaultTimeout = 10000;

private:
    bool Handshake();
    bool CanTransfer(const void* buffer, int n) const;
    int FailTransfer(int result);
    static void OnMessage(int written, int version, int type, const void* data, size_t size, SSL* ssl, void* self);

    int m_mode = Plain;
    int m_timeout = kDefaultTimeout;
    SSL_CTX* m_context = nullptr;
    SSL* m_ssl = nullptr;
    plat::SOCKET m_socket = plat::INVALID_SOCKET;
    std::wstring m_host;
    bool m_closeNotified = false;
};
