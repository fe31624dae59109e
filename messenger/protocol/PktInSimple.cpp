#include "messenger/protocol/PktInSimple.h"

#include "messenger/protocol/PktFactory.h"
#include "messenger/protocol/PktStreamReader.h"

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
