#include "ux/net/UxSslSocket.h"

#include "platform/net/NetError.h"
#include "ux/core/UxText.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <filesystem>
#include <openssl/err.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>

namespace {

int64_t NowMilliseconds()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

bool VerificationWanted()
{
    const char* v = std::getenv("QUORIX_TLS_VERIFY");
    return !(v && std::strcmp(v, "0") == 0);
}

bool IsDottedAddress(const std::string& host)
{
    return !host.empty() && host.find_first_not_of("0123456789.") == std::string::npos;
}

// True when the folder holds certificates under their subject hashes ("1a2b3c4d.0"), as
// the system's tool for certificates leaves them.
bool HasHashedNames(const char* folder)
{
    DIR* dir = opendir(folder);
    if (!dir)
        return false;
    bool found = false;
    while (const dirent* entry = readdir(dir)) {
        const char* name = entry->d_name;
        if (std::strlen(name) >= 10 && std::strspn(name, "0123456789abcdef") == 8 && name[8] == '.'
            && std::strspn(name + 9, "0123456789") == std::strlen(name + 9)) {
            found = true;
            break;
        }
    }
    closedir(dir);
    return found;
}

// True when the bundle file sits in the folder, as the system's tool for certificates
// writes both from the same set.
bool BundleInFolder(const std::string& file, const std::string& folder)
{
    std::error_code error;
    const auto bundle = std::filesystem::canonical(file, error);
    if (error)
        return false;
    const auto dir = std::filesystem::canonical(folder, error);
    return !error && bundle.parent_path() == dir;
}

// The system's trusted certificates. Parsing the whole bundle costs more than all the
// rest of signing in; the hashed folder beside it holds the same certificates and is
// read one at a time, as a chain asks for them. The bundle it is when the two are not
// known to be the same set.
void TrustSystemCertificates(SSL_CTX* context)
{
    const char* fileEnv = std::getenv(X509_get_default_cert_file_env());
    const char* dirEnv = std::getenv(X509_get_default_cert_dir_env());
    const std::string file = fileEnv ? fileEnv : X509_get_default_cert_file();
    const std::string folder = dirEnv ? dirEnv : X509_get_default_cert_dir();
    if (folder.find(':') == std::string::npos && HasHashedNames(folder.c_str())
        && BundleInFolder(file, folder) && SSL_CTX_load_verify_dir(context, folder.c_str()) == 1)
        return;
    SSL_CTX_set_default_verify_paths(context);
}

std::wstring LastLibraryError()
{
    unsigned long e = ERR_peek_last_error();
    if (!e)
        return L"no detail";
    char text[256];
    ERR_error_string_n(e, text, sizeof text);
    return FromUtf8(text);
}

} // namespace

UxSslSocket::UxSslSocket()
{
    OPENSSL_init_ssl(0, nullptr);
}

UxSslSocket::~UxSslSocket()
{
    Close();
}

void UxSslSocket::Release()
{
    if (m_ssl) {
        SSL_free(m_ssl);
        m_ssl = nullptr;
    }
    if (m_context) {
        SSL_CTX_free(m_context);
        m_context = nullptr;
    }
    m_socket = plat::INVALID_SOCKET;
}

void UxSslSocket::Close()
{
    Release();
    m_timeout = kDefaultTimeout;
    m_mode = Plain;
}

bool UxSslSocket::Connect(plat::SOCKET socket)
{
    Release();
    m_socket = socket;
    if (m_mode == Plain)
        return true;
    if (m_mode == SslV2 || m_mode == SslV3) {
        UxTrace(L"[UX+] UxSslSocket::Connect, %s is not supported; use TLS.\n",
            m_mode == SslV2 ? L"SSLv2" : L"SSLv3");
        plat::WSASetLastError(plat::WSAEPROTONOSUPPORT);
        return false;
    }
    if (m_mode != TlsV1) {
        plat::WSASetLastError(plat::WSAEINVAL);
        return false;
    }
    if (socket == plat::INVALID_SOCKET) {
        plat::WSASetLastError(plat::WSAENOTSOCK);
        return false;
    }
    ERR_clear_error();
    m_context = SSL_CTX_new(TLS_client_method());
    if (!m_context) {
        plat::WSASetLastError(plat::WSAENOBUFS);
        return false;
    }
    // Old servers speak only TLS 1.0 with weak parameters; newer versions are still
    // negotiated when offered.
    SSL_CTX_set_min_proto_version(m_context, TLS1_VERSION);
    SSL_CTX_set_security_level(m_context, 0);
    SSL_CTX_set_cipher_list(m_context, "DEFAULT:@SECLEVEL=0");
    SSL_CTX_set_options(m_context,
        SSL_OP_LEGACY_SERVER_CONNECT | SSL_OP_ALLOW_UNSAFE_LEGACY_RENEGOTIATION
            | SSL_OP_IGNORE_UNEXPECTED_EOF);
    SSL_CTX_set_mode(m_context, SSL_MODE_ENABLE_PARTIAL_WRITE | SSL_MODE_ACCEPT_MOVING_WRITE_BUFFER);

    std::string host = ToUtf8(m_host);
    bool verify = VerificationWanted();
    if (verify) {
        // The login digest goes over this connection: never to an unauthenticated server.
        if (host.empty()) {
            UxTrace(L"[UX+] UxSslSocket::Connect, no host name to verify the server against.\n");
            plat::WSASetLastError(plat::WSAECONNABORTED);
            return false;
        }
        SSL_CTX_set_verify(m_context, SSL_VERIFY_PEER, nullptr);
        TrustSystemCertificates(m_context);
        const char* caFile = std::getenv("QUORIX_CA_FILE");
        if (caFile && *caFile && SSL_CTX_load_verify_locations(m_context, caFile, nullptr) != 1) {
            std::wstring name = FromUtf8(caFile);
            UxTrace(L"[UX+] UxSslSocket::Connect, cannot load CA file %s.\n", name.c_str());
        }
    }
    m_ssl = SSL_new(m_context);
    if (!m_ssl || SSL_set_fd(m_ssl, socket) != 1) {
        plat::WSASetLastError(plat::WSAENOBUFS);
        return false;
    }
    // The unexpected end of the connection is taken as its end (a server that closes
    // without a word is common), so whether it said so is watched for here.
    m_closeNotified = false;
    SSL_set_msg_callback(m_ssl, &UxSslSocket::OnMessage);
    SSL_set_msg_callback_arg(m_ssl, this);
    if (!host.empty() && !IsDottedAddress(host))
        SSL_set_tlsext_host_name(m_ssl, host.c_str());
    if (verify) {
        X509_VERIFY_PARAM* param = SSL_get0_param(m_ssl);
        int ok = IsDottedAddress(host) ? X509_VERIFY_PARAM_set1_ip_asc(param, host.c_str())
                                       : X509_VERIFY_PARAM_set1_host(param, host.c_str(), 0);
        if (ok != 1) {
            plat::WSASetLastError(plat::WSAEINVAL);
            return false;
        }
    }
    return Handshake();
}

bool UxSslSocket::Handshake()
{
    // Poll the handshake on a non-blocking socket whatever the caller's mode, so a server
    // that trickles bytes cannot stretch it past the time-out.
    bool wasNonBlocking = plat::IsNonBlocking(m_socket);
    if (!wasNonBlocking)
        plat::SetNonBlocking(m_socket, true);
    int64_t deadline = NowMilliseconds() + m_timeout;
    int error = 0;
    for (;;) {
        ERR_clear_error();
        errno = 0;
        int r = SSL_connect(m_ssl);
        if (r == 1)
            break;
        int reason = SSL_get_error(m_ssl, r);
        if (reason == SSL_ERROR_WANT_READ || reason == SSL_ERROR_WANT_WRITE) {
            int64_t left = deadline - NowMilliseconds();
            if (left <= 0) {
                error = plat::WSAETIMEDOUT;
                break;
            }
            int wanted = reason == SSL_ERROR_WANT_READ ? plat::kSocketReadable : plat::kSocketWritable;
            if (plat::WaitSocket(m_socket, wanted, static_cast<int>(left)) < 0) {
                error = plat::WSAGetLastError();
                break;
            }
            continue;
        }
        if (reason == SSL_ERROR_SYSCALL && errno)
            error = plat::WsaErrorFromErrno(errno);
        else if (reason == SSL_ERROR_SYSCALL || reason == SSL_ERROR_ZERO_RETURN)
            error = plat::WSAECONNRESET;
        else
            error = plat::WSAECONNABORTED;
        std::wstring detail = LastLibraryError();
        long verified = SSL_get_verify_result(m_ssl);
        if (verified != X509_V_OK)
            detail = FromUtf8(X509_verify_cert_error_string(verified));
        UxTrace(L"[UX+] UxSslSocket::Connect, handshake failed: %s\n", detail.c_str());
        break;
    }
    if (!wasNonBlocking)
        plat::SetNonBlocking(m_socket, false);
    if (error) {
        plat::WSASetLastError(error);
        return false;
    }
    return true;
}

void UxSslSocket::OnMessage(int written, int, int type, const void* data, size_t size, SSL*, void* self)
{
    const auto* alert = static_cast<const unsigned char*>(data);
    if (!written && type == SSL3_RT_ALERT && size == 2 && alert[1] == SSL_AD_CLOSE_NOTIFY)
        static_cast<UxSslSocket*>(self)->m_closeNotified = true;
}

int UxSslSocket::FailTransfer(int result)
{
    int reason = SSL_get_error(m_ssl, result);
    switch (reason) {
    case SSL_ERROR_ZERO_RETURN:
        return 0;
    case SSL_ERROR_WANT_READ:
    case SSL_ERROR_WANT_WRITE:
        // On a blocking socket this means its own time-out ran out.
        plat::WSASetLastError(plat::IsNonBlocking(m_socket) ? plat::WSAEWOULDBLOCK : plat::WSAETIMEDOUT);
        return -1;
    case SSL_ERROR_SYSCALL:
        plat::WSASetLastError(errno ? plat::WsaErrorFromErrno(errno) : plat::WSAECONNRESET);
        return -1;
    default:
        plat::WSASetLastError(plat::WSAECONNABORTED);
        return -1;
    }
}

bool UxSslSocket::CanTransfer(const void* buffer, int n) const
{
    if (n < 0 || (!buffer && n)) {
        plat::WSASetLastError(plat::WSAEFAULT);
        return false;
    }
    if (m_socket == plat::INVALID_SOCKET || (m_mode != Plain && !m_ssl)) {
        plat::WSASetLastError(plat::WSAENOTCONN);
        return false;
    }
    ERR_clear_error();
    errno = 0;
    return true;
}

int UxSslSocket::Send(const void* data, int n)
{
    if (!CanTransfer(data, n))
        return -1;
    if (m_mode == Plain)
        return plat::SendSocket(m_socket, data, n);
    if (n == 0)
        return 0;
    int r = SSL_write(m_ssl, data, n);
    if (r > 0)
        return r;
    int result = FailTransfer(r);
    if (result == 0) {
        // The server ended the session: nothing more can be written.
        plat::WSASetLastError(plat::WSAECONNRESET);
        return -1;
    }
    return result;
}

int UxSslSocket::Recv(void* buffer, int n)
{
    if (!CanTransfer(buffer, n))
        return -1;
    if (m_mode == Plain)
        return plat::RecvSocket(m_socket, buffer, n);
    if (n == 0)
        return 0;
    int r = SSL_read(m_ssl, buffer, n);
    return r > 0 ? r : FailTransfer(r);
}
