#include "messenger/protocol/login/PktInKill.h"

#include "messenger/protocol/codec/PktFactory.h"
#include "messenger/protocol/codec/PktKeywords.h"
#include "messenger/protocol/codec/PktStreamReader.h"

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
