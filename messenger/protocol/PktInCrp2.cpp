#include "messenger/protocol/PktInCrp2.h"

#include "messenger/protocol/PktFactory.h"
#include "messenger/protocol/PktKeywords.h"
#include "messenger/protocol/PktStreamReader.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktFactory::RegisterClass<PktInCrp2>({ L"CRP2" });

} // namespace

bool PktInCrp2::ReadArgs(PktStreamReader& reader)
{
    std::wstring word;
    reader.ReadWord(word);
    Kind = ParseEnvelopeKind(word);
    reader.ReadWord(Key);
    uint32_t count = 0;
    reader.ReadCount(count);
    const bool whole = reader.ReadBytes(count, Payload);
    s_currentKey = Key;
    return whole;
}
