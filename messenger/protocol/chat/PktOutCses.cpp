#include "messenger/protocol/chat/PktOutCses.h"

#include "messenger/protocol/codec/PktKeywords.h"

bool PktOutCses::WriteArgs(PktStreamWriter& writer)
{
    writer.WriteArg(SessionCommandToText(Kind));
    writer.WriteArg(EnvelopeKindToText(EnvelopeKind));
    writer.WriteArg(Text);
    if (Kind != KindConn) {
        writer.WritePayload(nullptr, 0);
        return true;
    }
    PktStreamWriter line;
    line.WriteArg(Host);
    line.WriteUInt(Port);
    line.WriteArg(Key);
    line.EndLine();
    writer.WritePayload(line.GetData(), line.GetSize());
    return true;
}
