#include "messenger/protocol/buddies/PktOutAdsb.h"

#include "messenger/protocol/codec/PktKeywords.h"

bool PktOutAdsb::WriteArgs(PktStreamWriter& writer)
{
    writer.WriteArg(BuddyRequestToText(Kind));
    writer.WriteArg(BuddyId);
    writer.WriteArg(Email);
    writer.WriteArg(GroupId);
    writer.WriteArg(Message);
    writer.EndLine();
    return true;
}
