#include "messenger/protocol/PktHandler.h"

#include "messenger/protocol/PktFailure.h"

bool PktHandler::CheckResult(const PktIn& packet)
{
    if (packet.Succeeded())
        return true;
    ShowFailure(packet);
    return false;
}
