#pragma once

#include "platform/net/Socket.h"

#include <cstdint>
#include <functional>
#include <string>

// A resolved endpoint. The host text it came from goes along so that a TLS layer can
// check the server's certificate against the name the user asked for.
struct UxSocketAddress {
    plat::SocketAddress in;
    std::wstring host;
};

// One IPv4 TCP socket with its address; the destructor closes it.
class UxSocket {
public:
    UxSocket() = default;
    virtual ~UxSocket();
    UxSocket(const UxSocket&) = delete;
    UxSocket& operator=(const UxSocket&) = delete;

    // A host of digits and dots goes to inet_addr ("10.0.0" included), any other to the
    // resolver, whose first address is taken. When nothing resolves the address stays
    // 0.0.0.0, which connecting refuses with WSAEADDRNOTAVAIL.
    static UxSocketAddress ResolveAddress(const std::wstring& host, int port);
    // The same with a name looked up by lookup instead (a dotted address is not looked up).
    using Lookup = std::function<bool(const std::string& name, uint32_t* address)>;
    static UxSocketAddress ResolveAddress(const std::wstring& host, int port, const Lookup& lookup);

    // A fresh TCP socket with send and receive time-outs of 10,000 ms (closing any
    // previous one). False with the Winsock error set.
    bool CreateSocket();
    void CloseSocket();

    plat::SOCKET GetSocket() const { return m_socket; }

    static constexpr int kTimeoutMilliseconds = 10000;

protected:
    plat::SOCKET m_socket = plat::INVALID_SOCKET;
    UxSocketAddress m_address;
};
