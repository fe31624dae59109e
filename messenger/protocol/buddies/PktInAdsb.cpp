#include "messenger/protocol/buddies/PktInAdsb.h"

#include "messenger/protocol/buddies/PktBuddyWords.h"
#include "messenger/protocol/buddies/PktOutAdsb.h"
#include "messenger/protocol/codec/PktFactory.h"
#include "messenger/protocol/codec/PktKeywords.h"
#include "messenger/protocol/codec/PktStreamReader.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktFactory::RegisterClass<PktInAdsb>({ L"ADSB" });

} // namespace

bool PktInAdsb::ReadArgs(PktStreamReader& reader)
{
    std::wstring word;
    reader.ReadWord(word);
    Kind = ParseBuddyRequest(word);
    ReadBuddyId(reader, BuddyId);
    if (Kind == PktOutAdsb::Request || Kind == PktOutAdsb::Accept) {
        ReadBuddyText(reader, Name);
        reader.ReadInt(Number);
        ReadBuddyText(reader, Extra);
    } else if (Kind == PktOutAdsb::Reject) {
        ReadBuddyText(reader, Extra);
    }
    return true;
}
