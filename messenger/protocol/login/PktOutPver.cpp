#include "messenger/protocol/login/PktOutPver.h"

bool PktOutPver::WriteArgs(PktStreamWriter& writer)
{
    writer.WriteArg(ClientVersion);
    writer.WriteArg(ProtocolVersion);
    writer.WriteArg(ClientKind);
    writer.EndLine();
    return true;
}
