#include "messenger/protocol/notices/PktInSpsh.h"

#include "messenger/protocol/codec/PktFactory.h"
#include "messenger/protocol/codec/PktStreamReader.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktFactory::RegisterClass<PktInSpsh>({ L"SPSH" });

} // namespace

bool PktInSpsh::ReadArgs(PktStreamReader& reader)
{
    reader.ReadWord(Text1);
    reader.ReadWord(Text2);
    reader.ReadWord(Text3);
    return true;
}
