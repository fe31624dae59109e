#include "messenger/protocol/buddies/PktInRmvb.h"

#include "messenger/protocol/buddies/PktBuddyWords.h"
#include "messenger/protocol/buddies/PktOutRmvb.h"
#include "messenger/protocol/codec/PktFactory.h"
#include "messenger/protocol/codec/PktKeywords.h"
#include "messenger/protocol/codec/PktStreamReader.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktFactory::RegisterClass<PktInRmvb>({ L"RMVB" });

} // namespace

bool PktInRmvb::ReadArgs(PktStreamReader& reader)
{
    if (GetTransactionId() != 0) {
        const PktOutRmvb* request = FindPendingRequest<PktOutRmvb>(GetTransactionId());
        if (!request)
            return false;
        Kind = request->Kind;
        BuddyId = request->BuddyId;
        Email = request->Email;
        ReadBuddyText(reader, Text);
        return true;
    }
    std::wstring word;
    reader.ReadWord(word);
    Kind = ParseListKind(word);
    ReadBuddyId(reader, BuddyId);
    ReadBuddyId(reader, Email);
    return true;
}
