#include "messenger/protocol/buddies/PktOutOnst.h"

#include "messenger/protocol/codec/PktKeywords.h"

bool PktOutOnst::WriteArgs(PktStreamWriter& writer)
{
    writer.WriteArg(BuddyStatusToText(Status));
    writer.WriteArg(DigitToText(TypingState));
    writer.WriteArg(Text);
    writer.WriteArg(ClientFlagToText(Format));
    writer.EndLine();
    return true;
}
