#include "messenger/protocol/PktHandlerPong.h"

#include "messenger/protocol/PktHandlerFactory.h"
#include "messenger/protocol/TarvPong.h"

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
