#include "messenger/protocol/buddies/PktHandlerNprf.h"

#include "messenger/model/BuddyList.h"
#include "messenger/protocol/buddies/PktInNprf.h"
#include "messenger/protocol/codec/PktHandlerFactory.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktHandlerFactory::RegisterClass<PktHandlerNprf>({ L"NPRF" });

} // namespace

bool PktHandlerNprf::Handle(TarvPeer*, PktIn& packet)
{
    if (!CheckResult(packet))
        return false;
    const auto& profile = static_cast<const PktInNprf&>(packet);
    BuddyList* buddies = BuddyList::GetInstance();
    Buddy* buddy = buddies ? buddies->FindById(profile.BuddyId) : nullptr;
    if (!buddy || !profile.IsValid())
        return false;
    const std::wstring& mask = profile.Mask;
    if (mask[0] == L'1')
        buddy->Mobile = profile.Mobile;
    if (mask[1] == L'1')
        buddy->Text3 = profile.Text3;
    if (mask[2] == L'1')
        buddy->Text1 = profile.Text1;
    if (mask[3] == L'1')
        buddy->Text2 = profile.Text2;
    if (mask[4] == L'1')
        buddy->ProfileFlag = profile.ProfileFlag ? 1 : 0;
    if (mask[5] == L'1')
        buddy->Birthday = profile.Birthday;
    return true;
}
