#include "messenger/protocol/buddies/PktOutAddg.h"

bool PktOutAddg::WriteArgs(PktStreamWriter& writer)
{
    writer.WriteUInt(Number);
    writer.WriteArg(Name);
    writer.EndLine();
    return true;
}
