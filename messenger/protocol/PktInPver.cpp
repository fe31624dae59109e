#include "messenger/protocol/PktInPver.h"

#include "messenger/protocol/PktFactory.h"
#include "messenger/protocol/PktKeywords.h"
#include "messenger/protocol/PktStreamReader.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktFactory::RegisterClass<PktInPver>({ L"PVER" });

} // namespace

bool PktInPver::ReadArgs(PktStreamReader& reader)
{
    std::wstring word;
    reader.ReadWord(word);
    UpdateFlag = ParseUpdateFlag(word);
    return true;
}
