#include "messenger/protocol/chat/PktInCses.h"

#include "messenger/protocol/chat/PktOutCses.h"
#include "messenger/protocol/codec/PktFactory.h"
#include "messenger/protocol/codec/PktKeywords.h"
#include "messenger/protocol/codec/PktStreamReader.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktFactory::RegisterClass<PktInCses>({ L"CSES" });

} // namespace

bool PktInCses::ReadArgs(PktStreamReader& reader)
{
    std::wstring word;
    reader.ReadWord(word);
    Kind = ParseSessionCommand(word);
    uint32_t count = 0;
    reader.ReadCount(count);
    std::string payload;
    const bool whole = reader.ReadBytes(count, payload);
    PktStreamReader fields(payload.data(), static_cast<uint32_t>(payload.size()));
    if (Kind == PktOutCses::KindKill) {
        fields.ReadWord(Text);
        fields.ReadWord(word);
        Flag = ParseYesNo(word);
    } else if (Kind == PktOutCses::KindConn) {
        fields.ReadWord(word);
        EnvelopeKind = ParseEnvelopeKind(word);
        fields.ReadWord(SessionId);
        fields.ReadWord(Host);
        fields.ReadUInt16(Port);
        fields.ReadWord(Key);
    }
    return whole;
}
