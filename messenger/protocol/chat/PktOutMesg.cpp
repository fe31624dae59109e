#include "messenger/protocol/chat/PktOutMesg.h"

#include "messenger/protocol/chat/PktChatText.h"
#include "messenger/protocol/codec/PktKeywords.h"

bool PktOutMesg::WriteArgs(PktStreamWriter& writer)
{
    writer.WriteArg(MessageKindToText(Kind));
    if (Kind == KindTyping)
        writer.WriteArg(DigitToText(TypingState));
    else if (Kind == KindMsg || Kind == KindAwayMsg)
        writer.WriteArg(BuildChatText(Font, Colour, Style, Text));
    writer.EndLine();
    return true;
}
