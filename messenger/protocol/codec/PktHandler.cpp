#include "messenger/protocol/codec/PktHandler.h"

#include "messenger/protocol/codec/PktFailure.h"

bool PktHandler::CheckResult(const PktIn& packet)
{
    if (packet.Succeeded())
        return true;
    ShowFailure(packet);
    return false;
}
