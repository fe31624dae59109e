#include "ux/net/UxHttpClient.h"

#include "platform/net/NetError.h"
#include "ux/core/UxText.h"
#include "ux/net/UxHttpHead.h"
#include "ux/net/UxUrl.h"

#include <cstdlib>
#include <fstream>

UxHttpClient::UxHttpClient()
    : m_request(this)
{
}

UxHttpClient::~UxHttpClient()
{
    Disconnect();
}

void UxHttpClient::AddFormField(const std::wstring& name, const std::wstring& value, bool isFile)
{
    m_fields.push_back({ name, value, isFile ? 1 : 0 });
}

void UxHttpClient::SetRequestBody(const void* data, uint32_t size)
{
    m_requestBody.Clear();
    m_requestBody.Write(data, size);
}

const uint8_t* UxHttpClient::GetBody() const
{
    size_t end = UxHttpHead::FindEnd(m_response.GetData(), m_response.GetSize());
    return end == UxHttpHead::npos ? nullptr : m_response.GetData() + end + 4;
}

size_t UxHttpClient::GetBodyLength() const
{
    size_t end = UxHttpHead::FindEnd(m_response.GetData(), m_response.GetSize());
    return end == UxHttpHead::npos ? 0 : m_response.GetSize() - end - 4;
}

std::wstring UxHttpClient::GetHeader(const std::wstring& name, int index) const
{
    return UxHttpHead::GetHeader(m_response.GetData(), m_response.GetSize(), name, index);
}

void UxHttpClient::Disconnect()
{
    m_ssl.Release();
    std::lock_guard<std::mutex> lock(m_socketMutex);
    CloseSocket();
}

void UxHttpClient::Abort()
{
    std::lock_guard<std::mutex> lock(m_socketMutex);
    m_aborted = true;
    if (m_lookup)
        m_lookup->Cancel();
    if (m_socket != plat::INVALID_SOCKET)
        plat::ShutdownSocket(m_socket);
}

bool UxHttpClient::Request(const std::wstring& url)
{
    std::wstring current = url;
    for (int hop = 0;; ++hop) {
        if (!Exchange(current))
            return false;
        if (m_followRedirects && m_status >= 300 && m_status <= 399) {
            if (hop == kMaxRedirects) {
                UxTrace(L"[UX+] UxHttpClient::Request, more than %d redirects.\n", kMaxRedirects);
                return false;
            }
            std::wstring location = GetHeader(L"Location", 0);
            if (location.empty())
                return false;
            if (location.find(L"://") == std::wstring::npos) {
                // Relative: keep the scheme and port of the page that sent it.
                UxUrl base(current);
                size_t skip = location.find_first_not_of(L'/');
                std::wstring rest = skip == std::wstring::npos ? L"" : location.substr(skip);
                std::wstring prefix = base.scheme.empty() ? L"" : base.scheme + L"://";
                location = prefix + base.host + L":" + std::to_wstring(base.port) + L"/" + rest;
            }
            current = location;
            continue;
        }
        if (m_storeCookies) {
            for (auto& c : UxHttpHead::ParseCookies(m_response.GetData(), m_response.GetSize()))
                m_cookies.push_back(std::move(c));
        }
        return true;
    }
}

bool UxHttpClient::Exchange(const std::wstring& text)
{
    m_response.Clear();
    m_status = 0;
    m_closedInOrder = false;
    m_headEnd = UxHttpHead::npos;
    UxUrl url(text);
    bool ok = Connect(url);
    if (ok && m_listener) {
        int64_t length = m_request.GetContentLength();
        m_listener->total = length > INT32_MAX ? INT32_MAX : static_cast<int32_t>(length < 0 ? 0 : length);
        m_listener->done = 0;
    }
    if (ok) {
        std::string head = m_request.BuildHead(url);
        ok = SendAll(head.data(), head.size());
    }
    // A body that could not be sent whole fails the exchange rather than waiting for
    // whatever the server makes of half a request.
    if (ok && m_request.method == UxHttpRequest::Post)
        ok = SendBody();
    if (ok && m_listener)
        ok = m_listener->OnRequestSent() != 0;
    if (ok && m_listener) {
        m_listener->done = 0;
        m_listener->total = 0;
    }
    if (ok)
        ok = ReceiveResponse();
    // An aborted receive ends like a close by the server; what came is not the whole.
    if (m_aborted) {
        ok = false;
        m_closedInOrder = false;
    }
    Disconnect();
    if (!ok)
        return false;
    size_t end = UxHttpHead::FindEnd(m_response.GetData(), m_response.GetSize());
    if (end == UxHttpHead::npos)
        return false;
    return UxHttpHead::ParseStatus(m_response.GetData(), end, &m_status);
}

bool UxHttpClient::Connect(const UxUrl& url)
{
    Disconnect();
    {
        std::lock_guard<std::mutex> lock(m_socketMutex);
        if (m_aborted || !CreateSocket())
            return false;
    }
    if (m_listener && !m_listener->OnConnecting())
        return false;
    m_address = ResolveAddress(url.host, url.port,
        [this](const std::string& name, uint32_t* address) { return LookUp(name, address); });
    // An abort between making the socket and connecting it finds nothing to wake.
    if (m_aborted || !plat::ConnectWithTimeout(m_socket, m_address.in, kTimeoutMilliseconds) || m_aborted)
        return false;
    if (m_listener && !m_listener->OnConnected())
        return false;
    m_ssl.SetMode(url.schemeKind == UxUrl::Https ? UxSslSocket::TlsV1 : UxSslSocket::Plain);
    m_ssl.SetHostName(url.host);
    return m_ssl.Connect(m_socket);
}

bool UxHttpClient::LookUp(const std::string& name, uint32_t* address)
{
    plat::HostLookup* lookup = nullptr;
    {
        std::lock_guard<std::mutex> lock(m_socketMutex);
        if (m_aborted)
            return false;
        m_lookup = std::make_unique<plat::HostLookup>(name);
        lookup = m_lookup.get();
    }
    // Only this thread replaces or drops the lookup; Abort may cancel it meanwhile.
    const bool found = lookup->Wait(address);
    std::lock_guard<std::mutex> lock(m_socketMutex);
    m_lookup.reset();
    return found;
}

bool UxHttpClient::SendAll(const void* data, size_t size)
{
    auto* p = static_cast<const uint8_t*>(data);
    while (size > 0) {
        int chunk = size > 65536 ? 65536 : static_cast<int>(size);
        int n = m_ssl.Send(p, chunk);
        if (n <= 0)
            return false;
        p += n;
        size -= static_cast<size_t>(n);
        if (m_listener) {
            m_listener->done += n;
            if (!m_listener->OnSent(n))
                return false;
        }
    }
    return true;
}

bool UxHttpClient::SendBody()
{
    switch (m_request.bodyKind) {
    case UxHttpRequest::Form: {
        std::string body = m_request.BuildFormBody();
        return SendAll(body.data(), body.size());
    }
    case UxHttpRequest::Multipart: {
        for (const auto& f : m_fields) {
            std::string head = m_request.BuildPartHead(f.name, f.value, f.isFile != 0);
            if (!SendAll(head.data(), head.size()))
                return false;
            if (f.isFile) {
                std::ifstream file(UxHttpFilePath(f.value), std::ios::binary);
                if (!file)
                    return false;
                char buffer[8192];
                while (file) {
                    file.read(buffer, sizeof buffer);
                    auto got = static_cast<size_t>(file.gcount());
                    if (got && !SendAll(buffer, got))
                        return false;
                }
                if (file.bad())
                    return false;
            } else {
                std::string value = ToUtf8(f.value);
                if (!SendAll(value.data(), value.size()))
                    return false;
            }
            if (!SendAll("\r\n", 2))
                return false;
        }
        std::string closing = m_request.BuildClosingLine();
        return SendAll(closing.data(), closing.size());
    }
    default:
        return SendAll(m_requestBody.GetData(), m_requestBody.GetSize());
    }
}

bool UxHttpClient::ReceiveResponse()
{
    uint8_t buffer[8192];
    for (;;) {
        int n = m_ssl.Recv(buffer, sizeof buffer);
        if (n < 0)
            return false;
        if (n == 0) {
            m_closedInOrder = m_ssl.GetMode() == UxSslSocket::Plain || m_ssl.PeerSentCloseNotify();
            return !m_listener || m_listener->OnReceiveComplete() != 0;
        }
        size_t before = m_response.GetSize();
        if (before + static_cast<size_t>(n) > m_maxResponseSize) {
            UxTrace(L"[UX+] UxHttpClient::Request, response larger than %u bytes.\n",
                static_cast<unsigned>(m_maxResponseSize));
            return false;
        }
        m_response.Write(buffer, static_cast<uint32_t>(n));
        if (m_headEnd == UxHttpHead::npos) {
            // Look again only where a terminator could now end: it may straddle chunks.
            size_t from = before >= 3 ? before - 3 : 0;
            m_headEnd = UxHttpHead::FindEnd(m_response.GetData(), m_response.GetSize(), from);
            if (m_headEnd == UxHttpHead::npos && m_response.GetSize() > kMaxHeadSize) {
                UxTrace(L"[UX+] UxHttpClient::Request, response head larger than %u bytes.\n",
                    static_cast<unsigned>(kMaxHeadSize));
                return false;
            }
            if (m_headEnd != UxHttpHead::npos && m_listener) {
                std::wstring length = GetHeader(L"Content-Length", 0);
                if (!length.empty()) {
                    long long value = std::wcstoll(length.c_str(), nullptr, 10);
                    m_listener->total = value < 0 ? 0
                        : value > INT32_MAX       ? INT32_MAX
                                                  : static_cast<int32_t>(value);
                }
            }
        }
        if (m_listener) {
            m_listener->done += n;
            if (!m_listener->OnReceived(n))
                return false;
        }
    }
}
