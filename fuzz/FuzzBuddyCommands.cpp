// Arbitrary bytes as what the service sends while the user's buddy, group and profile
// requests wait for their answers: cut into frames and dispatched against a small list
// of buddies and groups, with the screens recorded. The requests go out first, in a
// fixed order, so their ids are known to the seeds: AllowBuddy 1, BlockBuddy 3,
// AcceptBuddy 5, RejectBuddy 7, AskToAddBuddy 9, DeleteBuddy 11, AddGroup 13,
// MoveBuddy 15, ChangeNick 17, ChangeStatus 19 and a three-record move 21 (each
// envelope takes the id after its request's); a request of every other command waits
// under the ids from 901.
#include "fuzz/MessengerFuzz.h"
#include "messenger/protocol/buddies/BuddyActions.h"
#include "messenger/protocol/buddies/PktOutMvbg.h"

namespace {

void AddBuddy(
    MessengerSingletons& m, const wchar_t* id, const wchar_t* email, uint32_t flags, const wchar_t* group)
{
    Buddy buddy;
    buddy.Id = id;
    buddy.Email = email;
    buddy.Flags = flags;
    buddy.Status = BuddyStatusOffline;
    m.buddies.Insert(id, buddy);
    if (group)
        m.groups.Find(group)->AddMember(id);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > kMaxServiceInput)
        return 0;
    SignedInMessenger session;
    MessengerSingletons& m = session.m;
    m.groups.Insert(Group(L"0", L"기타"));
    m.groups.Insert(Group(L"1", L"친구"));
    AddBuddy(m, L"k1", L"a@q", 3, L"0");
    AddBuddy(m, L"k2", L"b@q", 8, nullptr);
    AddBuddy(m, L"k3", L"c@q", 1, L"1");

    const Buddy& k1 = *m.buddies.FindById(L"k1");
    const Buddy& k2 = *m.buddies.FindById(L"k2");
    AllowBuddy(k1, L"0");
    BlockBuddy(k1, L"0");
    AcceptBuddy(k2, L"1");
    RejectBuddy(k2, L"1");
    AskToAddBuddy(L"new", L"q", L"친구", L"hi");
    DeleteBuddy(k1);
    AddGroup(L"g");
    MoveBuddy(k1, L"0", L"1");
    ChangeNick(L"n");
    ChangeStatus(BuddyStatusAway);
    PktOutMvbg moves;
    moves.AddRecord(L"k1", L"a@q", L"0", L"1");
    moves.AddRecord(L"k3", L"c@q", L"1", L"9");
    moves.AddRecord(L"k3", L"c@q", L"1", L"0");
    SendBuddyRequest(moves);
    session.PendEveryCommand();

    m.peer.Receive(std::string(reinterpret_cast<const char*>(data), size));
    plat::DispatchPending();
    return 0;
}
