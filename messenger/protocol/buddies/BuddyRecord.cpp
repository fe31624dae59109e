#include "messenger/protocol/buddies/BuddyRecord.h"

#include "messenger/protocol/codec/PktKeywords.h"
#include "messenger/protocol/codec/PktStreamReader.h"

void BuddyRecord::Read(PktStreamReader& reader)
{
    std::wstring word;
    reader.ReadWord(Email);
    reader.ReadWord(word);
    Confirmed = ParseOneZero(word);
    reader.ReadWord(Id);
    reader.ReadWord(Extra);
    reader.ReadWord(word);
    Flags = static_cast<uint32_t>(ParseFlagString(word));
    reader.ReadWord(word);
    Status = ParseBuddyStatus(word);
    reader.ReadWord(Name);
    reader.ReadWord(Nick);
    reader.ReadWord(Birthday);
    reader.ReadWord(word);
    SolarBirthday = ParseOneZero(word);
    reader.ReadWord(Mobile);
    reader.ReadWord(Text1);
    reader.ReadWord(Text2);
}
