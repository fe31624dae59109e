#include "messenger/protocol/buddies/PktInNtfy.h"

#include "messenger/protocol/buddies/PktBuddyWords.h"
#include "messenger/protocol/codec/PktFactory.h"
#include "messenger/protocol/codec/PktKeywords.h"
#include "messenger/protocol/codec/PktStreamReader.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktFactory::RegisterClass<PktInNtfy>({ L"NTFY" });

} // namespace

bool PktInNtfy::ReadArgs(PktStreamReader& reader)
{
    std::wstring word;
    ReadBuddyId(reader, BuddyId);
    reader.ReadWord(word);
    Status = ParseBuddyStatus(word);
    reader.ReadWord(word);
    TypingState = ParseDigit(word);
    ReadBuddyText(reader, Text);
    reader.ReadWord(word);
    Kind = ParseParticipantFlag(word);
    return true;
}
