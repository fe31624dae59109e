#include "messenger/protocol/chat/PktInCtoc.h"

#include "messenger/protocol/chat/PktInnerFrame.h"
#include "messenger/protocol/codec/PktFactory.h"
#include "messenger/protocol/codec/PktStreamReader.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktFactory::RegisterClass<PktInCtoc>({ L"CTOC" });

} // namespace

bool PktInCtoc::ReadArgs(PktStreamReader& reader)
{
    reader.ReadWord(Sender);
    uint32_t count = 0;
    reader.ReadCount(count);
    return ReadInnerFrame(reader, count, InnerCommand, Inner);
}
