#include "messenger/protocol/buddies/PktHandlerMvbg.h"

#include "messenger/MessengerScreens.h"
#include "messenger/model/GroupList.h"
#include "messenger/protocol/buddies/PktBuddyWords.h"
#include "messenger/protocol/buddies/PktInMvbg.h"
#include "messenger/protocol/buddies/PktOutMvbg.h"
#include "messenger/protocol/codec/PktHandlerFactory.h"

#include <algorithm>

namespace {

[[maybe_unused]] const bool kRegistered = PktHandlerFactory::RegisterClass<PktHandlerMvbg>({ L"MVBG" });

} // namespace

bool PktHandlerMvbg::Handle(TarvPeer*, PktIn& packet)
{
    if (!CheckResult(packet))
        return false;
    const auto& answer = static_cast<const PktInMvbg&>(packet);
    const PktOutMvbg* request = FindPendingRequest<PktOutMvbg>(answer.GetTransactionId());
    GroupList* groups = GroupList::GetInstance();
    if (!request || !groups)
        return false;
    MessengerScreens* screens = MessengerScreens::GetCurrent();
    // Pairs beyond the request's records answer nothing that was asked; records
    // without a pair stay where they were.
    const size_t moves = std::min(answer.Results.size(), request->Records.size());
    for (size_t i = 0; i < moves; ++i) {
        if (answer.Results[i].second != kFailureCodeSuccess)
            continue;
        const MvbgRecord& record = request->Records[i];
        Group* source = groups->Find(record.SourceGroup);
        Group* target = groups->Find(record.TargetGroup);
        if (!source || !target)
            return false;
        source->RemoveMember(record.BuddyId);
        target->AddMember(record.BuddyId);
        if (screens)
            screens->MoveProfileBuddy(record.BuddyId, record.TargetGroup);
    }
    return !screens || screens->ReloadBuddyList();
}
