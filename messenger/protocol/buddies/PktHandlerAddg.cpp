#include "messenger/protocol/buddies/PktHandlerAddg.h"

#include "messenger/MessengerScreens.h"
#include "messenger/model/GroupList.h"
#include "messenger/protocol/buddies/PktBuddyWords.h"
#include "messenger/protocol/buddies/PktInAddg.h"
#include "messenger/protocol/buddies/PktOutAddg.h"
#include "messenger/protocol/codec/PktHandlerFactory.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktHandlerFactory::RegisterClass<PktHandlerAddg>({ L"ADDG" });

} // namespace

bool PktHandlerAddg::Handle(TarvPeer*, PktIn& packet)
{
    if (!CheckResult(packet))
        return false;
    const auto& answer = static_cast<const PktInAddg&>(packet);
    const PktOutAddg* request = FindPendingRequest<PktOutAddg>(answer.GetTransactionId());
    GroupList* groups = GroupList::GetInstance();
    if (!request || !groups || answer.GroupId.empty())
        return false;
    groups->Insert(Group(answer.GroupId, request->Name));
    MessengerScreens* screens = MessengerScreens::GetCurrent();
    return !screens || screens->ReloadBuddyList();
}
