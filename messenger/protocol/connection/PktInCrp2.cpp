#include "messenger/protocol/connection/PktInCrp2.h"

#include "messenger/protocol/codec/PktFactory.h"
#include "messenger/protocol/codec/PktKeywords.h"
#include "messenger/protocol/codec/PktStreamReader.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktFactory::RegisterClass<PktInCrp2>({ L"CRP2" });

} // namespace

PktInCrp2::~PktInCrp2()
{
    if (m_keySet)
        s_currentKey = m_outerKey;
}

bool PktInCrp2::ReadArgs(PktStreamReader& reader)
{
    std::wstring word;
    reader.ReadWord(word);
    Kind = ParseEnvelopeKind(word);
    reader.ReadWord(Key);
    uint32_t count = 0;
    reader.ReadCount(count);
    const bool whole = reader.ReadBytes(count, Payload);
    if (!m_keySet)
        m_outerKey = s_currentKey;
    m_keySet = true;
    s_currentKey = Key;
    return whole;
}
