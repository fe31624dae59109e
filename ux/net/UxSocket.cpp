#include "ux/net/UxSocket.h"

#include "platform/net/NetError.h"
#include "ux/core/UxText.h"

UxSocket::~UxSocket()
{
    CloseSocket();
}

UxSocketAddress UxSocket::ResolveAddress(const std::wstring& host, int port)
{
    return ResolveAddress(host, port, [](const std::string& name, uint32_t* address) {
        return plat::ResolveHostName(name.c_str(), address);
    });
}

UxSocketAddress UxSocket::ResolveAddress(const std::wstring& host, int port, const Lookup& lookup)
{
    UxSocketAddress result;
    result.host = host;
    result.in.family = plat::kAddressFamilyInet;
    result.in.port = plat::HostToNetwork16(static_cast<uint16_t>(port));
    std::string name = ToUtf8(host);
    bool dotted = !name.empty() && name.find_first_not_of("0123456789.") == std::string::npos;
    if (dotted) {
        uint32_t a = plat::InetAddr(name.c_str());
        result.in.address = a == 0xFFFFFFFFu ? 0 : a;
    } else {
        uint32_t a = 0;
        if (lookup(name, &a))
            result.in.address = a;
    }
    return result;
}

bool UxSocket::CreateSocket()
{
    CloseSocket();
    plat::SOCKET s = plat::CreateTcpSocket();
    if (s == plat::INVALID_SOCKET)
        return false;
    if (!plat::SetSocketTimeouts(s, kTimeoutMilliseconds)) {
        int error = plat::WSAGetLastError();
        plat::CloseSocket(s);
        plat::WSASetLastError(error);
        return false;
    }
    m_socket = s;
    return true;
}

void UxSocket::CloseSocket()
{
    if (m_socket != plat::INVALID_SOCKET) {
        plat::CloseSocket(m_socket);
        m_socket = plat::INVALID_SOCKET;
    }
}
