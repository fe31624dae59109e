#include "messenger/protocol/chat/PktHandlerCtoc.h"

#include "messenger/protocol/chat/PktInCtoc.h"
#include "messenger/protocol/codec/PktHandlerFactory.h"
#include "messenger/protocol/connection/TarvPeer.h"
#include "ux/core/UxText.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktHandlerFactory::RegisterClass<PktHandlerCtoc>({ L"CTOC" });

} // namespace

bool PktHandlerCtoc::Handle(TarvPeer* peer, PktIn& packet)
{
    if (!CheckResult(packet))
        return false;
    auto& relayed = static_cast<PktInCtoc&>(packet);
    // Any user can address this client: a sign-out notice or a reply in their name
    // must not be taken from them.
    if (relayed.InnerCommand != L"INVT") {
        UxTrace(L"PktHandlerCtoc::Handle, \"%s\" from %s is dropped.\n", relayed.InnerCommand.c_str(),
            relayed.Sender.c_str());
        return false;
    }
    if (peer)
        peer->OnPacket(
            reinterpret_cast<const uint8_t*>(relayed.Inner.data()), static_cast<int>(relayed.Inner.size()));
    return true;
}
