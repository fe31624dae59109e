#pragma once

#include "platform/net/HostLookup.h"
#include "ux/core/UxStream.h"
#include "ux/net/UxHttpListener.h"
#include "ux/net/UxHttpRequest.h"
#include "ux/net/UxSocket.h"
#include "ux/net/UxSslSocket.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

class UxUrl;

// One blocking HTTP/1.0 exchange over plain TCP or TLS on the calling thread: connect,
// send the head and an optional body, read until the server closes, parse the status,
// follow redirects and keep cookies.
class UxHttpClient : public UxSocket {
public:
    struct FormField {
        std::wstring name;
        std::wstring value; // the file's path for a file field
        int32_t isFile = 0;
    };

    UxHttpClient();
    ~UxHttpClient() override;

    // The whole exchange, redirects included (at most kMaxRedirects of them). True when
    // the server ended the response by closing; a reset, a time-out or a TLS error fail.
    bool Request(const std::wstring& url);
    // The last response ended in an orderly close, which ends a body that declares no
    // length: the end of the stream, and over TLS only after the server's close_notify.
    bool ClosedInOrder() const { return m_closedInOrder; }
    // Any thread: the exchange under way fails at once (a host name lookup, connect,
    // handshake, send or receive waiting on another thread returns), and so does every
    // later one.
    void Abort();
    bool IsAborted() const { return m_aborted; }

    // First byte after the head, or null when the head is incomplete.
    const uint8_t* GetBody() const;
    size_t GetBodyLength() const;
    int GetStatus() const { return m_status; }
    std::wstring GetHeader(const std::wstring& name, int index = 0) const;
    const UxMemoryWriter& GetResponse() const { return m_response; }

    void SetListener(UxHttpListener* listener) { m_listener = listener; }
    void SetFollowRedirects(bool follow) { m_followRedirects = follow; }
    void SetStoreCookies(bool store) { m_storeCookies = store; }
    void AddFormField(const std::wstring& name, const std::wstring& value, bool isFile = false);
    void SetRequestBody(const void* data, uint32_t size);
    // Responses larger than this fail the exchange.
    void SetMaxResponseSize(size_t bytes) { m_maxResponseSize = bytes; }

    UxHttpRequest& GetRequest() { return m_request; }
    const std::vector<FormField>& GetFormFields() const { return m_fields; }
    const std::vector<std::pair<std::wstring, std::wstring>>& GetCookies() const { return m_cookies; }
    const UxMemoryWriter& GetRequestBody() const { return m_requestBody; }
    UxSslSocket& GetSslSocket() { return m_ssl; }

    static constexpr int kMaxRedirects = 10;
    static constexpr size_t kMaxHeadSize = 64 * 1024;
    static constexpr size_t kDefaultMaxResponseSize = 64 * 1024 * 1024;

private:
    bool Exchange(const std::wstring& url);
    bool Connect(const UxUrl& url);
    // A host name, looked up on a thread of its own that Abort gives up on.
    bool LookUp(const std::string& name, uint32_t* address);
    bool SendAll(const void* data, size_t size);
    bool SendBody();
    bool ReceiveResponse();
    void Disconnect();

    uint8_t m_followRedirects = 1;
    uint8_t m_storeCookies = 1;
    UxHttpListener* m_listener = nullptr;
    UxHttpRequest m_request;
    std::vector<std::pair<std::wstring, std::wstring>> m_cookies;
    std::vector<FormField> m_fields;
    UxMemoryWriter m_requestBody;
    UxMemoryWriter m_response;
    int m_status = 0;
    bool m_closedInOrder = false;
    UxSslSocket m_ssl;
    size_t m_headEnd = static_cast<size_t>(-1);
    size_t m_maxResponseSize = kDefaultMaxResponseSize;
    // Guards the socket's number and the lookup against Abort while they are made or closed.
    std::mutex m_socketMutex;
    std::unique_ptr<plat::HostLookup> m_lookup;
    std::atomic<bool> m_aborted { false };
};
