#include "platform/system/Adapter.h"

#include <ifaddrs.h>
#include <linux/if_packet.h>
#include <net/if.h>
#include <sys/socket.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <vector>

namespace plat {

bool GetAdapterHardwareAddress(uint8_t address[6])
{
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0)
        return false;
    std::vector<std::pair<std::string, std::array<uint8_t, 6>>> found;
    for (ifaddrs* i = list; i; i = i->ifa_next) {
        if (!i->ifa_addr || i->ifa_addr->sa_family != AF_PACKET || (i->ifa_flags & IFF_LOOPBACK))
            continue;
        const auto* ll = reinterpret_cast<const sockaddr_ll*>(i->ifa_addr);
        if (ll->sll_halen != 6)
            continue;
        std::array<uint8_t, 6> mac;
        std::memcpy(mac.data(), ll->sll_addr, 6);
        if (std::all_of(mac.begin(), mac.end(), [](uint8_t b) { return b == 0; }))
            continue;
        found.emplace_back(i->ifa_name ? i->ifa_name : "", mac);
    }
    freeifaddrs(list);
    if (found.empty())
        return false;
    auto first = std::min_element(found.begin(), found.end());
    std::memcpy(address, first->second.data(), 6);
    return true;
}

} // namespace plat
