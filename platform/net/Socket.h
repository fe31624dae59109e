#pragma once

// IPv4 TCP sockets over POSIX, shaped like the Winsock calls the toolkit was written
// against. Every failing call sets the thread's last error (WSAGetLastError) to a
// Winsock number.

#include <cstdint>

namespace plat {

using SOCKET = int;
constexpr SOCKET INVALID_SOCKET = -1;
constexpr int SOCKET_ERROR = -1;

constexpr uint16_t kAddressFamilyInet = 2;

// The 16-byte IPv4 socket address; port and address in network byte order.
struct SocketAddress {
    uint16_t family = kAddressFamilyInet;
    uint16_t port = 0;
    uint32_t address = 0;
    uint8_t zero[8] = {};
};
static_assert(sizeof(SocketAddress) == 16);

uint16_t HostToNetwork16(uint16_t value);
uint16_t NetworkToHost16(uint16_t value);

// inet_addr: dotted forms with one to four parts ("10.0.0" included). 0xFFFFFFFF when
// the text is not an address.
uint32_t InetAddr(const char* text);

// First IPv4 address of a host name (network order), blocking; HostLookup is the same
// on a thread of its own. False with WSAHOST_NOT_FOUND.
bool ResolveHostName(const char* name, uint32_t* address);

// The first call also turns SIGPIPE off for the process: writes to a closed peer fail.
SOCKET CreateTcpSocket();
int CloseSocket(SOCKET socket);
// Ends both directions of the connection without closing the socket; any thread may call
// it to wake a connect, send or receive that blocks on another.
int ShutdownSocket(SOCKET socket);
bool SetSocketTimeouts(SOCKET socket, int milliseconds);
bool SetNonBlocking(SOCKET socket, bool nonBlocking);
bool IsNonBlocking(SOCKET socket);

// 0 when connected, SOCKET_ERROR otherwise; a connect still in progress on a
// non-blocking socket gives WSAEWOULDBLOCK. The unspecified address 0.0.0.0 is refused
// with WSAEADDRNOTAVAIL: on this system it would reach the local host.
int ConnectSocket(SOCKET socket, const SocketAddress& address);

// Connects and waits at most the given time, leaving the socket's blocking mode as it was.
bool ConnectWithTimeout(SOCKET socket, const SocketAddress& address, int milliseconds);

// The pending error of a socket (SO_ERROR) as a Winsock number, 0 when none.
int GetPendingError(SOCKET socket);

// send with MSG_NOSIGNAL (a closed peer never raises SIGPIPE) and recv.
int SendSocket(SOCKET socket, const void* data, int length);
int RecvSocket(SOCKET socket, void* buffer, int length);

constexpr int kSocketReadable = 1;
constexpr int kSocketWritable = 2;
constexpr int kSocketFailed = 4; // error or hang-up
constexpr int kSocketWoken = 8;

// Waits for the socket (kSocketReadable and/or kSocketWritable in wanted) at most the given
// time (-1 forever). Returns the flags seen, 0 on time-out, -1 when poll fails.
int WaitSocket(SOCKET socket, int wanted, int milliseconds);

} // namespace plat
