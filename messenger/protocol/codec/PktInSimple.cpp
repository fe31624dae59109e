#include "messenger/protocol/codec/PktInSimple.h"

#include "messenger/protocol/codec/PktFactory.h"
#include "messenger/protocol/codec/PktStreamReader.h"

namespace {

[[maybe_unused]] const bool kRegistered
    = PktFactory::RegisterClass<PktInSimple>({ L"INCK", L"NNIK", L"QUIT" });

} // namespace

bool PktInSimple::ReadArgs(PktStreamReader& reader)
{
    reader.ReadWord(m_text1);
    reader.ReadWord(m_text2);
    return true;
}
