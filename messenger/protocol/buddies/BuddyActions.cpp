#include "messenger/protocol/buddies/BuddyActions.h"

#include "messenger/model/Buddy.h"
#include "messenger/model/GroupList.h"
#include "messenger/model/Me.h"
#include "messenger/protocol/buddies/PktOutAddb.h"
#include "messenger/protocol/buddies/PktOutAddg.h"
#include "messenger/protocol/buddies/PktOutAdsb.h"
#include "messenger/protocol/buddies/PktOutCnik.h"
#include "messenger/protocol/buddies/PktOutMvbg.h"
#include "messenger/protocol/buddies/PktOutOnst.h"
#include "messenger/protocol/buddies/PktOutRmvb.h"
#include "messenger/protocol/connection/PktOutCrp2.h"
#include "messenger/protocol/connection/TarvPeer.h"

namespace {

bool SendList(int32_t kind, const Buddy& buddy, const std::wstring& groupId)
{
    PktOutAddb request;
    request.Kind = kind;
    request.BuddyId = buddy.Id;
    request.Email = buddy.Email;
    request.GroupId = groupId;
    return SendBuddyRequest(request);
}

bool SendAnswer(int32_t kind, const Buddy& buddy, const std::wstring& groupId)
{
    PktOutAdsb request;
    request.Kind = kind;
    request.BuddyId = buddy.Id;
    request.Email = buddy.Email;
    request.GroupId = groupId;
    return SendBuddyRequest(request);
}

} // namespace

bool SendBuddyRequest(Pkt& request)
{
    TarvPeer* peer = TarvPeer::GetInstance();
    if (!peer || peer->GetStage() != TarvPeer::StageMain)
        return false;
    PktOutCrp2 envelope(PktOutCrp2::KindDp, L"");
    return envelope.SetPayload(request) && peer->Send(envelope);
}

bool AllowBuddy(const Buddy& buddy, const std::wstring& groupId)
{
    return SendList(BuddyListAllow, buddy, groupId);
}

bool BlockBuddy(const Buddy& buddy, const std::wstring& groupId)
{
    return SendList(BuddyListBlock, buddy, groupId);
}

bool AcceptBuddy(const Buddy& buddy, const std::wstring& groupId)
{
    return SendAnswer(PktOutAdsb::Accept, buddy, groupId);
}

bool RejectBuddy(const Buddy& buddy, const std::wstring& groupId)
{
    return SendAnswer(PktOutAdsb::Reject, buddy, groupId);
}

bool AskToAddBuddy(const std::wstring& user, const std::wstring& domain, const std::wstring& groupName,
    const std::wstring& message)
{
    GroupList* groups = GroupList::GetInstance();
    const Group* group = groups ? groups->FindByName(groupName) : nullptr;
    if (!group)
        return false;
    PktOutAdsb request;
    request.Kind = PktOutAdsb::Request;
    request.Email = user + L"@" + domain;
    request.GroupId = group->Id;
    request.Message = message;
    return SendBuddyRequest(request);
}

bool DeleteBuddy(const Buddy& buddy)
{
    PktOutRmvb request;
    request.Kind = BuddyListForward;
    request.BuddyId = buddy.Id;
    request.Email = buddy.Email;
    return SendBuddyRequest(request);
}

bool AddGroup(const std::wstring& name)
{
    PktOutAddg request;
    request.Name = name;
    return SendBuddyRequest(request);
}

bool MoveBuddy(const Buddy& buddy, const std::wstring& fromGroup, const std::wstring& toGroup)
{
    if (fromGroup == toGroup)
        return false;
    PktOutMvbg request;
    request.AddRecord(buddy.Id, buddy.Email, fromGroup, toGroup);
    return SendBuddyRequest(request);
}

bool ChangeNick(const std::wstring& nick)
{
    if (Me* me = Me::GetInstance())
        me->Nick = nick;
    PktOutCnik request(nick);
    return SendBuddyRequest(request);
}

bool ChangeStatus(int32_t status)
{
    if (Me* me = Me::GetInstance())
        me->Status = status;
    PktOutOnst request;
    request.Status = status;
    request.TypingState = 0;
    request.Format = 1;
    return SendBuddyRequest(request);
}
