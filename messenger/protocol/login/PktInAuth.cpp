#include "messenger/protocol/login/PktInAuth.h"

#include "messenger/protocol/codec/PktFactory.h"
#include "messenger/protocol/codec/PktStreamReader.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktFactory::RegisterClass<PktInAuth>({ L"AUTH" });

} // namespace

bool PktInAuth::ReadArgs(PktStreamReader& reader)
{
    reader.ReadWord(Word);
    return true;
}
