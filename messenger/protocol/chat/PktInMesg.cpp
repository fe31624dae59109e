#include "messenger/protocol/chat/PktInMesg.h"

#include "messenger/protocol/chat/PktChatText.h"
#include "messenger/protocol/chat/PktOutMesg.h"
#include "messenger/protocol/codec/PktFactory.h"
#include "messenger/protocol/codec/PktKeywords.h"
#include "messenger/protocol/codec/PktStreamReader.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktFactory::RegisterClass<PktInMesg>({ L"MESG" });

} // namespace

bool PktInMesg::ReadArgs(PktStreamReader& reader)
{
    if (!reader.ReadWord(Sender))
        return true; // the answer to an own line has no arguments
    std::wstring word;
    reader.ReadWord(word);
    Kind = ParseMessageKind(word);
    if (Kind == PktOutMesg::KindTyping) {
        reader.ReadWord(word);
        TypingState = ParseDigit(word);
    } else if (Kind == PktOutMesg::KindMsg || Kind == PktOutMesg::KindAwayMsg) {
        // One escaped word whose fields are split at TABs only, so that a font name
        // with a space stays one field.
        std::wstring record;
        reader.ReadWord(record);
        ParseChatText(record, Font, Colour, Style, Text);
    }
    return true;
}
