#include "messenger/protocol/buddies/PktInInfy.h"

#include "messenger/protocol/codec/PktFactory.h"
#include "messenger/protocol/codec/PktKeywords.h"
#include "messenger/protocol/codec/PktStreamReader.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktFactory::RegisterClass<PktInInfy>({ L"INFY" });

} // namespace

bool PktInInfy::ReadArgs(PktStreamReader& reader)
{
    std::wstring word;
    reader.ReadWord(BuddyId);
    reader.ReadWord(word);
    Status = ParseBuddyStatus(word);
    reader.ReadWord(word);
    Digit = ParseDigit(word);
    reader.ReadWord(Text);
    reader.ReadWord(word);
    Flag = ParseParticipantFlag(word);
    return true;
}
