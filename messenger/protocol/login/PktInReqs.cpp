#include "messenger/protocol/login/PktInReqs.h"

#include "messenger/protocol/codec/PktFactory.h"
#include "messenger/protocol/codec/PktStreamReader.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktFactory::RegisterClass<PktInReqs>({ L"REQS" });

} // namespace

bool PktInReqs::ReadArgs(PktStreamReader& reader)
{
    reader.ReadWord(Word);
    reader.ReadWord(Host);
    reader.ReadUInt16(Port);
    reader.ReadWord(Ticket);
    return true;
}
