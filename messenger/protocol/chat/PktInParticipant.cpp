#include "messenger/protocol/chat/PktInParticipant.h"

#include "messenger/protocol/codec/PktFactory.h"
#include "messenger/protocol/codec/PktKeywords.h"
#include "messenger/protocol/codec/PktStreamReader.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktFactory::RegisterClass<PktInParticipant>({ L"JOIN", L"USER" });

} // namespace

bool PktInParticipant::ReadArgs(PktStreamReader& reader)
{
    if (GetCommand() == L"USER") {
        reader.ReadInt(Number1);
        reader.ReadInt(Number2);
    }
    reader.ReadWord(Participant.Id);
    reader.ReadWord(Participant.Nick);
    reader.ReadWord(Participant.Name);
    reader.ReadWord(Participant.Extra);
    std::wstring kind;
    reader.ReadWord(kind);
    Participant.Kind = ParseParticipantFlag(kind);
    return true;
}
