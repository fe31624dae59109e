#include "messenger/protocol/buddies/PktOutAddb.h"

#include "messenger/protocol/codec/PktKeywords.h"

bool PktOutAddb::WriteArgs(PktStreamWriter& writer)
{
    writer.WriteArg(ListKindToText(Kind));
    writer.WriteArg(BuddyId);
    writer.WriteArg(Email);
    writer.WriteArg(GroupId);
    writer.EndLine();
    return true;
}
