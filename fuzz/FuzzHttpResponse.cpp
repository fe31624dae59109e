// An HTTP response of any bytes, read by the real client from a socket in two writes
// (split where the first byte says), with redirects followed and cookies kept. Absolute
// addresses in the input are broken up so that every redirect comes back to this server.
#include "platform/system/Trace.h"
#include "tests/support/LoopbackServer.h"
#include "ux/net/UxHttpClient.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

namespace {

std::mutex g_mutex;
std::string g_response;

void Serve(LoopbackServer&, int fd)
{
    char request[4096];
    LoopbackServer::ReadSome(fd, request, sizeof request, 1000);
    std::string bytes;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        bytes = g_response;
    }
    LoopbackServer::NoDelay(fd);
    const size_t split = bytes.empty() ? 0 : static_cast<uint8_t>(bytes[0]) % (bytes.size() + 1);
    LoopbackServer::WriteAll(fd, bytes.substr(0, split));
    std::this_thread::sleep_for(std::chrono::microseconds(200));
    LoopbackServer::WriteAll(fd, bytes.substr(split));
    ::shutdown(fd, SHUT_WR);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool quiet = (plat::SetTraceHook([](const std::wstring&) {}), true);
    (void)quiet;
    static LoopbackServer server(Serve);
    if (size > (1u << 20))
        return 0;
    std::string bytes(reinterpret_cast<const char*>(data), size);
    for (size_t at = bytes.find("://"); at != std::string::npos; at = bytes.find("://", at))
        bytes[at] = '_';
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        g_response = bytes;
    }
    UxHttpClient client;
    client.SetFollowRedirects(true);
    client.SetStoreCookies(true);
    client.SetMaxResponseSize(2u << 20);
    if (client.Request(L"http://127.0.0.1:" + std::to_wstring(server.Port()) + L"/fuzz")) {
        (void)client.GetHeader(L"Content-Length");
        (void)client.GetBody();
        (void)client.GetBodyLength();
    }
    return 0;
}
