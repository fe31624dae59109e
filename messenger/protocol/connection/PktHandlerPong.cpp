#include "messenger/protocol/connection/PktHandlerPong.h"

#include "messenger/protocol/codec/PktHandlerFactory.h"
#include "messenger/protocol/connection/TarvPong.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktHandlerFactory::RegisterClass<PktHandlerPong>({ L"PONG" });

} // namespace

bool PktHandlerPong::Handle(TarvPeer*, PktIn& packet)
{
    if (!CheckResult(packet))
        return false;
    if (TarvPong* pong = TarvPong::GetInstance())
        pong->OnReply();
    return true;
}
