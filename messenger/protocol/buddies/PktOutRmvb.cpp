#include "messenger/protocol/buddies/PktOutRmvb.h"

#include "messenger/protocol/codec/PktKeywords.h"

bool PktOutRmvb::WriteArgs(PktStreamWriter& writer)
{
    writer.WriteArg(ListKindToText(Kind));
    writer.WriteArg(BuddyId);
    writer.WriteArg(Email);
    writer.EndLine();
    return true;
}
