#include "messenger/protocol/login/PktInPver.h"

#include "messenger/protocol/codec/PktFactory.h"
#include "messenger/protocol/codec/PktKeywords.h"
#include "messenger/protocol/codec/PktStreamReader.h"

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
