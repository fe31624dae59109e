#include "messenger/protocol/PktInAuth.h"

#include "messenger/protocol/PktFactory.h"
#include "messenger/protocol/PktStreamReader.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktFactory::RegisterClass<PktInAuth>({ L"AUTH" });

} // namespace

bool PktInAuth::ReadArgs(PktStreamReader& reader)
{
    reader.ReadWord(Word);
    return true;
}
