#include "messenger/protocol/buddies/PktInNprf.h"

#include "messenger/protocol/buddies/PktBuddyWords.h"
#include "messenger/protocol/codec/PktFactory.h"
#include "messenger/protocol/codec/PktKeywords.h"
#include "messenger/protocol/codec/PktStreamReader.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktFactory::RegisterClass<PktInNprf>({ L"NPRF" });

} // namespace

bool PktInNprf::ReadArgs(PktStreamReader& reader)
{
    ReadBuddyId(reader, BuddyId);
    ReadBuddyText(reader, Mask);
    ReadBuddyText(reader, Mobile);
    ReadBuddyText(reader, Text3);
    ReadBuddyText(reader, Text1);
    ReadBuddyText(reader, Text2);
    std::wstring word;
    reader.ReadWord(word);
    ProfileFlag = ParseYesNo(word);
    ReadBuddyText(reader, Birthday);
    return IsValid();
}
