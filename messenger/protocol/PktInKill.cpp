#include "messenger/protocol/PktInKill.h"

#include "messenger/protocol/PktFactory.h"
#include "messenger/protocol/PktKeywords.h"
#include "messenger/protocol/PktStreamReader.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktFactory::RegisterClass<PktInKill>({ L"KILL" });

} // namespace

bool PktInKill::ReadArgs(PktStreamReader& reader)
{
    std::wstring word;
    reader.ReadWord(Text1);
    reader.ReadWord(Text2);
    reader.ReadWord(word);
    Flag = ParseYesNo(word);
    reader.ReadInt(Number1);
    reader.ReadInt(Number2);
    return true;
}
