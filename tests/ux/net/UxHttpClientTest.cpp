#include "ux/net/UxHttpClient.h"
#include "platform/net/NetError.h"
#include "tests/support/LoopbackServer.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestTls.h"
#include "tests/support/TraceCapture.h"
#include "ux/net/UxSslSocket.h"
#include "ux/net/UxUrl.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

// HTTP/1.0 server: reads one request (head and Content-Length body), answers with the
// response for its path (or the one for "", with "{port}" replaced by the port), closes.
// Plain, or TLS 1.0 when given a TestTls.
class HttpServer {
public:
    explicit HttpServer(std::map<std::string, std::string> responses, const TestTls* tls = nullptr)
        : m_responses(std::move(responses))
        , m_tls(tls)
        , m_server([this](LoopbackServer& s, int fd) { Serve(s, fd); })
    {
    }

    int Port() const { return m_server.Port(); }
    std::string Url(const std::string& path) const
    {
        return std::string(m_tls ? "https" : "http") + "://" + (m_tls ? "localhost" : "127.0.0.1") + ":"
            + std::to_string(Port()) + path;
    }
    std::vector<std::string> Requests()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_requests;
    }

private:
    void Serve(LoopbackServer&, int fd)
    {
        SSL* ssl = m_tls ? m_tls->Accept(fd) : nullptr;
        if (m_tls && !ssl)
            return;
        auto read = [&](char* b, int n) {
            return ssl ? SSL_read(ssl, b, n) : LoopbackServer::ReadSome(fd, b, n, 5000);
        };
        std::string request;
        char buffer[4096];
        size_t need = std::string::npos;
        while (request.size() < need) {
            int n = read(buffer, sizeof buffer);
            if (n <= 0)
                break;
            request.append(buffer, static_cast<size_t>(n));
            size_t end = request.find("\r\n\r\n");
            if (end != std::string::npos && need == std::string::npos) {
                size_t cl = request.find("Content-Length: ");
                size_t body = cl != std::string::npos && cl < end ? std::stoul(request.substr(cl + 16)) : 0;
                need = end + 4 + body;
            }
        }
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_requests.push_back(request);
        }
        size_t a = request.find(' ') + 1;
        auto found = m_responses.find(request.substr(a, request.find(' ', a) - a));
        std::string response = found != m_responses.end() ? found->second : m_responses[""];
        if (size_t at = response.find("{port}"); at != std::string::npos)
            response.replace(at, 6, std::to_string(Port()));
        if (ssl) {
            TestTls::WriteAll(ssl, response);
            SSL_shutdown(ssl);
            SSL_free(ssl);
        } else {
            LoopbackServer::WriteAll(fd, response);
        }
    }

    std::map<std::string, std::string> m_responses;
    const TestTls* m_tls;
    std::mutex m_mutex;
    std::vector<std::string> m_requests;
    LoopbackServer m_server;
};

// Reads what the client sends first, answers and keeps the line open for holdMs or until
// the server stops.
LoopbackServer::Handler AnswerAndHold(std::string answer, int holdMs)
{
    return [answer = std::move(answer), holdMs](LoopbackServer& server, int fd) {
        char buffer[4096];
        LoopbackServer::ReadSome(fd, buffer, sizeof buffer, 2000);
        LoopbackServer::WriteAll(fd, answer);
        server.WaitStop(holdMs);
    };
}

std::string Ok(const std::string& body, const std::string& extra = "")
{
    return "HTTP/1.0 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n" + extra + "\r\n"
        + body;
}

std::wstring W(const std::string& s)
{
    return std::wstring(s.begin(), s.end());
}

std::string Body(const UxHttpClient& c)
{
    return c.GetBody() ? std::string(reinterpret_cast<const char*>(c.GetBody()), c.GetBodyLength())
                       : "<none>";
}

TEST(UxUrl, SplitsSchemeHostPortAndEscapedPath)
{
    auto parts = [](const wchar_t* text) {
        UxUrl u(text);
        return std::make_tuple(u.scheme, u.schemeKind, u.host, u.port, u.path);
    };
    EXPECT_EQ(parts(L"http://example.com:8080/dir/a b?x=1"),
        std::make_tuple(L"http", UxUrl::Http, L"example.com", 8080, L"dir/a%20b%3fx%3d1"));
    EXPECT_EQ(parts(L"https://secure.example"),
        std::make_tuple(L"https", UxUrl::Https, L"secure.example", 443, L""));
    // Schemes compare exactly.
    EXPECT_EQ(parts(L"HTTPS://x/y"), std::make_tuple(L"HTTPS", UxUrl::Other, L"x", 80, L"y"));
    EXPECT_EQ(parts(L"host.only:81/p"), std::make_tuple(L"", UxUrl::Other, L"host.only", 81, L"p"));
    EXPECT_EQ(UxUrl(L"http://h:99999999999/").port, 0); // never wraps into another port
}

TEST(UxHttpClient, RequestHeadLinesInOrder)
{
    HttpServer server({ { "", Ok("fine", "Set-Cookie: sid=abc; path=/; HttpOnly\r\n") } });
    UxHttpClient client;
    client.AddFormField(L"q", L"a b&c");
    client.AddFormField(L"n", L"1");
    client.GetRequest().rangeStart = 10;
    client.GetRequest().extraHeaders = L"X-One: 1\r\n";
    ASSERT_TRUE(client.Request(W(server.Url("/dir/file.txt"))));
    ASSERT_TRUE(client.Request(W(server.Url("/again"))));
    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    std::string host = "Host: 127.0.0.1:" + std::to_string(server.Port()) + "\r\n";
    EXPECT_EQ(requests[0],
        "GET /dir/file.txt?q=a%20b%26c&n=1 HTTP/1.0\r\n" + host
            + "Content-Type: application/x-www-form-urlencoded\r\nRange: bytes=10-\r\nX-One: 1\r\n\r\n");
    // The cookie of the first answer goes back; its attributes do not.
    EXPECT_EQ(requests[1],
        "GET /again?q=a%20b%26c&n=1 HTTP/1.0\r\n" + host
            + "Content-Type: application/x-www-form-urlencoded\r\nCookie: sid=abc\r\nRange: "
              "bytes=10-\r\nX-One: 1\r\n\r\n");
}

TEST(UxHttpClient, PostBodies)
{
    HttpServer server({ { "", Ok("") } });
    auto post = [&](int kind, const std::function<void(UxHttpClient&)>& fill) {
        UxHttpClient client;
        client.GetRequest().method = UxHttpRequest::Post;
        client.GetRequest().bodyKind = kind;
        fill(client);
        return client.Request(W(server.Url("/p")));
    };
    TempFolder folder;
    std::string content(20000, 'F');
    folder.Write("upload", content);
    const std::string path = folder.Native("upload");
    ASSERT_TRUE(post(UxHttpRequest::Form, [](UxHttpClient& c) { c.AddFormField(L"id", L"x=y"); }));
    ASSERT_TRUE(post(UxHttpRequest::Multipart, [&](UxHttpClient& c) {
        c.AddFormField(L"name", L"value");
        c.AddFormField(L"file", W(path), true);
    }));
    ASSERT_TRUE(post(UxHttpRequest::TextXml, [](UxHttpClient& c) { c.SetRequestBody("<a/>", 4); }));
    EXPECT_FALSE(post(
        UxHttpRequest::Multipart, [](UxHttpClient& c) { c.AddFormField(L"f", L"/no/such/file", true); }));

    auto requests = server.Requests();
    ASSERT_GE(requests.size(), 3u);
    EXPECT_NE(requests[0].find("POST /p HTTP/1.0\r\n"), std::string::npos);
    EXPECT_NE(requests[0].find("Content-Length: 8\r\n\r\nid=x%3dy"), std::string::npos);

    const std::string& m = requests[1];
    size_t boundaryAt = m.find("boundary=");
    ASSERT_NE(boundaryAt, std::string::npos);
    std::string boundary = m.substr(boundaryAt + 9, 72);
    EXPECT_EQ(boundary.substr(0, 40), std::string(40, '-'));
    std::string body = "--" + boundary + "\r\nContent-Disposition: form-data; name=\"name\"\r\n\r\nvalue\r\n"
        + "--" + boundary + "\r\nContent-Disposition: form-data; name=\"file\"; filename=\"" + path
        + "\"\r\n\r\n" + content + "\r\n--" + boundary + "--\r\n";
    EXPECT_NE(m.find("Content-Length: " + std::to_string(body.size()) + "\r\n"), std::string::npos);
    EXPECT_EQ(m.substr(m.find("\r\n\r\n") + 4), body);

    EXPECT_NE(requests[2].find("Content-Type: text/xml\r\nContent-Length: 4\r\n\r\n<a/>"), std::string::npos);
}

TEST(UxHttpClient, ResponseStatusHeadersAndBody)
{
    HttpServer server({ { "",
        std::string("HTTP/1.0 206 Partial\r\nX-Long: first\r\n\tsecond\r\nx-twice: 1\r\n"
                    "X-Twice= 2\r\nContent-Length: 5\r\n\r\nbody\r\n\r\nmore") } });
    UxHttpClient client;
    ASSERT_TRUE(client.Request(W(server.Url("/"))));
    EXPECT_EQ(client.GetStatus(), 206);
    EXPECT_EQ(client.GetHeader(L"x-long"), L"firstsecond");
    EXPECT_EQ(client.GetHeader(L"X-TWICE", 0), L"1");
    EXPECT_EQ(client.GetHeader(L"X-TWICE", 1), L"2");
    EXPECT_EQ(client.GetHeader(L"body"), L""); // the search stops at the head's end
    EXPECT_EQ(Body(client), "body\r\n\r\nmore");
}

TEST(UxHttpClient, RedirectsAbsoluteRelativeAndLooping)
{
    HttpServer server({ { "/start", "HTTP/1.0 302 Found\r\nSet-Cookie: hop=1\r\nLocation: next\r\n\r\n" },
        { "/next", "HTTP/1.0 301 Moved\r\nLocation: http://127.0.0.1:{port}/final\r\n\r\n" },
        { "/final", Ok("done", "Set-Cookie: a=1; expires=never\r\nSet-Cookie: b=2\r\n") },
        { "/loop", "HTTP/1.0 302 Found\r\nLocation: /loop\r\n\r\n" },
        { "", "HTTP/1.0 302 Found\r\n\r\n" } }); // no Location
    UxHttpClient client;
    ASSERT_TRUE(client.Request(W(server.Url("/start"))));
    EXPECT_EQ(client.GetStatus(), 200);
    EXPECT_EQ(Body(client), "done");
    // Only the final answer's cookies are kept.
    EXPECT_EQ(client.GetCookies(),
        (std::vector<std::pair<std::wstring, std::wstring>> { { L"a", L"1" }, { L"b", L"2" } }));

    UxHttpClient looping;
    EXPECT_FALSE(looping.Request(W(server.Url("/loop"))));
    EXPECT_EQ(server.Requests().size(), 3u + 1u + UxHttpClient::kMaxRedirects);

    EXPECT_FALSE(looping.Request(W(server.Url("/empty")))); // no Location

    UxHttpClient manual;
    manual.SetFollowRedirects(false);
    ASSERT_TRUE(manual.Request(W(server.Url("/loop"))));
    EXPECT_EQ(manual.GetStatus(), 302);
    EXPECT_EQ(manual.GetHeader(L"Location"), L"/loop");
}

TEST(UxHttpClient, OversizedOrBrokenResponsesFail)
{
    HttpServer server({ { "/head", "HTTP/1.0 200 OK\r\nX: " + std::string(200 * 1024, 'h') },
        { "/body", Ok(std::string(300 * 1024, 'b')) }, { "/nostatus", "garbage\r\n\r\n" },
        { "", "HTTP/1.0 200 OK\r\nX: cut" } });
    UxHttpClient client;
    EXPECT_FALSE(client.Request(W(server.Url("/head"))));
    client.SetMaxResponseSize(256 * 1024);
    EXPECT_FALSE(client.Request(W(server.Url("/body"))));
    EXPECT_FALSE(client.Request(W(server.Url("/nostatus"))));
    EXPECT_FALSE(client.Request(W(server.Url("/cut"))));
    EXPECT_EQ(client.GetBody(), nullptr);
    EXPECT_FALSE(client.Request(L"http://no-such-host.invalid/"));
    EXPECT_EQ(plat::WSAGetLastError(), plat::WSAEADDRNOTAVAIL);
}

class CountingListener : public UxHttpListener {
public:
    int OnConnecting() override { return calls += "c", 1; }
    int OnConnected() override { return calls += "C", 1; }
    int OnSent(int32_t) override { return calls.back() == 's' ? 1 : (calls += "s", 1); }
    int OnRequestSent() override { return calls += "R", 1; }
    int OnReceived(int32_t) override
    {
        if (calls.back() != 'r')
            calls += "r";
        maxTotal = total;
        if (onReceived)
            onReceived();
        return abortAt && done >= abortAt ? 0 : 1;
    }
    int OnReceiveComplete() override { return calls += "E", 1; }

    std::string calls;
    int32_t maxTotal = 0;
    int32_t abortAt = 0;
    std::function<void()> onReceived;
};

TEST(UxHttpClient, ListenerSeesProgressAndCanAbort)
{
    HttpServer server({ { "", Ok(std::string(100000, 'd')) } });
    UxHttpClient client;
    CountingListener listener;
    client.SetListener(&listener);
    ASSERT_TRUE(client.Request(W(server.Url("/"))));
    EXPECT_EQ(listener.calls, "cCsRrE");
    EXPECT_EQ(listener.maxTotal, 100000);
    EXPECT_EQ(static_cast<size_t>(listener.done), client.GetResponse().GetSize());

    CountingListener stopper;
    stopper.abortAt = 1;
    client.SetListener(&stopper);
    EXPECT_FALSE(client.Request(W(server.Url("/"))));
}

TEST(UxHttpClient, AbortFromAnotherThreadEndsAStalledReceiveAtOnce)
{
    // Half an answer, then silence for longer than the socket's time-out.
    LoopbackServer server(AnswerAndHold("HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\nhalf", 20000));
    UxHttpClient client;
    CountingListener listener;
    client.SetListener(&listener);
    std::atomic<bool> received { false };
    listener.onReceived = [&] { received = true; };
    bool result = true;
    std::thread exchange([&] { result = client.Request(L"http://127.0.0.1:" + std::to_wstring(server.Port()) + L"/"); });
    while (!received)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    const auto start = std::chrono::steady_clock::now();
    client.Abort();
    exchange.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_FALSE(result);
    // It stays aborted.
    EXPECT_FALSE(client.Request(L"http://127.0.0.1:" + std::to_wstring(server.Port()) + L"/"));
    server.Stop();
}

TEST(UxHttpClient, ABodyWithoutALengthEndsOnlyWithAnOrderlyClose)
{
    const std::string head = "HTTP/1.0 200 OK\r\nContent-Type: application/octet-stream\r\n\r\n";
    const std::string body(20000, 'b');
    // The server's end of stream ends it.
    HttpServer closing({ { "", head + body } });
    UxHttpClient client;
    ASSERT_TRUE(client.Request(W(closing.Url("/"))));
    EXPECT_EQ(Body(client), body);
    EXPECT_TRUE(client.ClosedInOrder());

    // A reset half way fails the exchange.
    LoopbackServer resetting([&](LoopbackServer&, int fd) {
        char buffer[4096];
        LoopbackServer::ReadSome(fd, buffer, sizeof buffer, 2000);
        LoopbackServer::WriteAll(fd, head + body.substr(0, 5000));
        const linger reset { 1, 0 };
        setsockopt(fd, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
    });
    EXPECT_FALSE(client.Request(L"http://127.0.0.1:" + std::to_wstring(resetting.Port()) + L"/"));

    // Over TLS only the server's close_notify is an orderly end; a bare close of the
    // connection under it may have been anyone's.
    TestTls tls;
    tls.Trust();
    HttpServer secure({ { "", head + body } }, &tls);
    UxHttpClient secureClient;
    ASSERT_TRUE(secureClient.Request(W(secure.Url("/"))));
    EXPECT_EQ(Body(secureClient), body);
    EXPECT_TRUE(secureClient.ClosedInOrder());
    LoopbackServer truncated(
        [&](LoopbackServer&, int fd) { tls.Answer(fd, head + body, TestTls::BareClose); });
    // Taken as the end of what came (a length would still be checked), but not in order.
    EXPECT_TRUE(secureClient.Request(L"https://localhost:" + std::to_wstring(truncated.Port()) + L"/"));
    EXPECT_EQ(Body(secureClient), body);
    EXPECT_FALSE(secureClient.ClosedInOrder());
}

TEST(UxHttpClientTls, SecureExchangeAndRelativeRedirectStaySecure)
{
    TestTls tls;
    tls.Trust();
    HttpServer server(
        { { "/old", "HTTP/1.0 302 Found\r\nLocation: /new\r\n\r\n" }, { "", Ok("secret") } }, &tls);
    UxHttpClient client;
    ASSERT_TRUE(client.Request(W(server.Url("/old"))));
    EXPECT_EQ(client.GetStatus(), 200);
    EXPECT_EQ(Body(client), "secret");
    EXPECT_EQ(server.Requests().size(), 2u);

    // A name the certificate does not carry is refused.
    UxHttpClient wrongName;
    std::wstring url = L"https://127.0.0.2:" + std::to_wstring(server.Port()) + L"/";
    EXPECT_FALSE(wrongName.Request(url));
}

TEST(UxSslSocket, FatalHandshakeErrorStopsAtOnce)
{
    // Answers the client's hello with plain text and then keeps the line open.
    LoopbackServer server(AnswerAndHold("HTTP/1.0 400 Bad Request\r\n\r\n", 10000));
    setenv("QUORIX_TLS_VERIFY", "0", 1);
    UxSocket socket;
    ASSERT_TRUE(socket.CreateSocket());
    ASSERT_TRUE(plat::ConnectWithTimeout(
        socket.GetSocket(), UxSocket::ResolveAddress(L"127.0.0.1", server.Port()).in, 2000));
    UxSslSocket ssl;
    ssl.SetMode(UxSslSocket::TlsV1);
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(ssl.Connect(socket.GetSocket()));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_EQ(plat::WSAGetLastError(), plat::WSAECONNABORTED);
    ssl.Close();
    EXPECT_LT(ssl.Send("x", 1), 0);
    EXPECT_EQ(plat::WSAGetLastError(), plat::WSAENOTCONN);
    unsetenv("QUORIX_TLS_VERIFY");
}

} // namespace

namespace {

// A blocking TLS client socket connected to the server; false when any step fails.
bool ConnectTls(UxSocket& socket, UxSslSocket& ssl, int port, const std::wstring& host)
{
    if (!socket.CreateSocket()
        || !plat::ConnectWithTimeout(socket.GetSocket(), UxSocket::ResolveAddress(L"127.0.0.1", port).in, 2000))
        return false;
    ssl.SetMode(UxSslSocket::TlsV1);
    ssl.SetHostName(host);
    return ssl.Connect(socket.GetSocket());
}

TEST(UxSslSocket, VerificationNeedsANameAndWritesAfterTheServersCloseFail)
{
    TestTls tls;
    tls.Trust();
    // Handshakes, says goodbye at once and hangs up.
    LoopbackServer server([&](LoopbackServer&, int fd) {
        if (SSL* ssl = tls.Accept(fd)) {
            SSL_shutdown(ssl);
            SSL_free(ssl);
        }
    });

    // A trusted certificate is no proof of whom it belongs to without a name to check.
    {
        TraceCapture trace;
        UxSocket socket;
        UxSslSocket unnamed;
        EXPECT_FALSE(ConnectTls(socket, unnamed, server.Port(), L""));
        EXPECT_TRUE(trace.Contains(L"no host name to verify"));
    }

    // After the server's close, writing ends in an error, never in "0 bytes sent".
    UxSocket socket;
    UxSslSocket ssl;
    ASSERT_TRUE(ConnectTls(socket, ssl, server.Port(), L"localhost"));
    char b;
    EXPECT_EQ(ssl.Recv(&b, 1), 0);
    int sent = 0;
    for (int i = 0; i < 50 && (sent = ssl.Send("more", 4)) > 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(sent, -1);
    EXPECT_NE(plat::WSAGetLastError(), 0);
}

} // namespace
