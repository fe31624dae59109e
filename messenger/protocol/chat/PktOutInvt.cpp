#include "messenger/protocol/chat/PktOutInvt.h"

bool PktOutInvt::WriteArgs(PktStreamWriter& writer)
{
    writer.WriteArg(InviterId);
    writer.WriteArg(Host);
    writer.WriteUInt(Port);
    writer.WriteArg(Key);
    writer.EndLine();
    return true;
}
