#include "messenger/protocol/chat/PktOutEntr.h"

#include "messenger/protocol/codec/PktKeywords.h"

bool PktOutEntr::WriteArgs(PktStreamWriter& writer)
{
    writer.WriteArg(UserId);
    writer.WriteArg(Nick);
    writer.WriteArg(Name);
    writer.WriteArg(EntryText);
    writer.WriteArg(TextEncodingToText(TextEncoding));
    writer.WriteArg(ClientModeToText(ClientMode));
    if (ClientMode == 1)
        writer.WriteArg(ModeText);
    writer.WriteArg(Version);
    writer.WriteArg(ClientFlagToText(Flag));
    writer.WriteArg(ClientVersion);
    writer.WriteArg(ClientKind);
    writer.EndLine();
    return true;
}
