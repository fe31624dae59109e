#include "platform/system/SessionBus.h"

#include <cstdlib>
#include <cstring>
#include <string_view>
#include <sys/stat.h>

extern char** environ;

namespace plat {

namespace {

    constexpr const char* kVariable = "DBUS_SESSION_BUS_ADDRESS";
    constexpr std::string_view kDisabled = "disabled:";

    // Our own "disabled:" stands for no bus at all.
    bool g_disabledHere = false;

    // A value in a bus address: bytes outside the few it may hold as they are go as %XX.
    std::string EscapeAddressValue(std::string_view value)
    {
        static const char hex[] = "0123456789abcdef";
        std::string out;
        for (const char c : value) {
            const auto byte = static_cast<unsigned char>(c);
            if ((byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z')
                || std::strchr("-_/.\\*", c) != nullptr) {
                out += c;
            } else {
                out += '%';
                out += hex[byte >> 4];
                out += hex[byte & 0xF];
            }
        }
        return out;
    }

} // namespace

std::string FindSessionBus()
{
    const char* address = std::getenv(kVariable);
    if (address && *address && !(g_disabledHere && address == kDisabled))
        return address;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (!runtime || !*runtime)
        return "";
    const std::string path = std::string(runtime) + "/bus";
    struct stat st;
    if (stat(path.c_str(), &st) != 0 || !S_ISSOCK(st.st_mode))
        return "";
    return "unix:path=" + EscapeAddressValue(path);
}

void KeepSessionBusUnstarted()
{
    if (g_disabledHere || !FindSessionBus().empty())
        return;
    g_disabledHere = setenv(kVariable, kDisabled.data(), 1) == 0;
}

std::vector<char*> EnvironmentForPrograms()
{
    const std::string ours = std::string(kVariable) + "=" + std::string(kDisabled);
    std::vector<char*> environment;
    for (char** entry = environ; *entry; ++entry)
        if (!g_disabledHere || ours != *entry)
            environment.push_back(*entry);
    environment.push_back(nullptr);
    return environment;
}

} // namespace plat
