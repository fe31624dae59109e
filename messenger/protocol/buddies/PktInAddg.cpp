#include "messenger/protocol/buddies/PktInAddg.h"

#include "messenger/protocol/buddies/PktBuddyWords.h"
#include "messenger/protocol/codec/PktFactory.h"
#include "messenger/protocol/codec/PktStreamReader.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktFactory::RegisterClass<PktInAddg>({ L"ADDG" });

} // namespace

bool PktInAddg::ReadArgs(PktStreamReader& reader)
{
    reader.ReadInt(Number);
    ReadBuddyId(reader, GroupId);
    return true;
}
