#include "messenger/protocol/chat/PktInInvt.h"

#include "messenger/protocol/codec/PktFactory.h"
#include "messenger/protocol/codec/PktStreamReader.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktFactory::RegisterClass<PktInInvt>({ L"INVT" });

} // namespace

bool PktInInvt::ReadArgs(PktStreamReader& reader)
{
    reader.ReadWord(InviterId);
    reader.ReadWord(Host);
    reader.ReadUInt16(Port);
    reader.ReadWord(Key);
    return true;
}
