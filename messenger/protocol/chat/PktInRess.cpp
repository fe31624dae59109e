#include "messenger/protocol/chat/PktInRess.h"

#include "messenger/protocol/codec/PktFactory.h"
#include "messenger/protocol/codec/PktStreamReader.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktFactory::RegisterClass<PktInRess>({ L"RESS" });

} // namespace

bool PktInRess::ReadArgs(PktStreamReader& reader)
{
    reader.ReadWord(Host);
    // Unsigned: ports above 32767 are common.
    reader.ReadUInt16(Port);
    reader.ReadWord(Key);
    return true;
}
