#include "messenger/protocol/buddies/PktInAddb.h"

#include "messenger/model/Buddy.h"
#include "messenger/protocol/buddies/PktBuddyWords.h"
#include "messenger/protocol/buddies/PktOutAddb.h"
#include "messenger/protocol/codec/PktFactory.h"
#include "messenger/protocol/codec/PktKeywords.h"
#include "messenger/protocol/codec/PktStreamReader.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktFactory::RegisterClass<PktInAddb>({ L"ADDB" });

} // namespace

bool PktInAddb::ReadArgs(PktStreamReader& reader)
{
    if (GetTransactionId() != 0) {
        const PktOutAddb* request = FindPendingRequest<PktOutAddb>(GetTransactionId());
        if (!request)
            return false;
        Kind = request->Kind;
        Email = request->Email;
        ReadBuddyId(reader, BuddyId);
    } else {
        std::wstring word;
        reader.ReadWord(word);
        Kind = ParseListKind(word);
        ReadBuddyId(reader, BuddyId);
        ReadBuddyId(reader, Email);
    }
    if (Kind == BuddyListForward) {
        ReadBuddyText(reader, GroupText);
        ReadBuddyText(reader, Name);
    } else if (Kind == BuddyListReverse) {
        ReadBuddyText(reader, Message);
    }
    if (Kind >= BuddyListForward && Kind <= BuddyListReverse)
        ReadBuddyText(reader, Extra);
    return true;
}
