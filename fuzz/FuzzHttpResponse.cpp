// An HTTP response of any bytes, read by the real client from a socket in two writes
// (split where the first byte says), with redirects followed and cookies kept. Absolute
// addresses in the input are broken up so that every redirect comes back to this server.
#include "fuzz/SplitReplyServer.h"
#include "platform/system/Trace.h"
#include "ux/net/UxHttpClient.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool quiet = (plat::SetTraceHook([](const std::wstring&) {}), true);
    (void)quiet;
    static SplitReplyServer server(true);
    if (size > (1u << 20))
        return 0;
    std::string bytes(reinterpret_cast<const char*>(data), size);
    for (size_t at = bytes.find("://"); at != std::string::npos; at = bytes.find("://", at))
        bytes[at] = '_';
    server.SetReply(bytes);
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
