#include "messenger/protocol/login/PktHandlerLin2.h"

#include "messenger/MessengerScreens.h"
#include "messenger/model/Me.h"
#include "messenger/protocol/buddies/PktOutLsta.h"
#include "messenger/protocol/codec/PktHandlerFactory.h"
#include "messenger/protocol/connection/PktOutCrp2.h"
#include "messenger/protocol/connection/TarvPeer.h"
#include "messenger/protocol/connection/TarvPong.h"
#include "messenger/protocol/login/PktInLin2.h"
#include "messenger/protocol/login/PktOutLopt.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktHandlerFactory::RegisterClass<PktHandlerLin2>({ L"LIN2" });

} // namespace

void PktHandlerLin2::FillMe(const PktInLin2& reply)
{
    Me* me = Me::GetInstance();
    if (!me)
        return;
    me->AccountKind = reply.AccountKind;
    me->AccountFlag = reply.AccountFlag;
    std::wstring* texts[PktInLin2::kProfileTexts]
        = { &me->Text1, &me->Text2, &me->Name, &me->Nick, &me->Profile3, &me->Profile4, &me->Profile5,
              &me->Profile6, &me->Profile7, &me->Profile8, &me->Profile9 };
    for (int i = 0; i < PktInLin2::kProfileTexts; ++i)
        *texts[i] = reply.Profile[i];
    me->YesFlag = reply.YesFlag;
    me->WebTicket = reply.WebTicket;
    me->Text3 = reply.Text3;
    me->Status = me->LoginOffline ? BuddyStatusShownOffline : BuddyStatusOnline;
}

bool PktHandlerLin2::Handle(TarvPeer* peer, PktIn& packet)
{
    MessengerScreens* screens = MessengerScreens::GetCurrent();
    if (!CheckResult(packet)) {
        if (peer)
            peer->AbandonSignIn();
        if (screens)
            screens->ShowLoginForm();
        return false;
    }
    FillMe(static_cast<PktInLin2&>(packet));
    if (screens)
        screens->RefreshMyStatus();
    if (!peer)
        return false;
    PktOutLsta list;
    peer->Send(list);
    // The sign-in ends with the buddy list.
    peer->AwaitSignInStep(L"LSTA");
    PktOutLopt option;
    PktOutCrp2 envelope(PktOutCrp2::KindDp, L"");
    if (envelope.SetPayload(option))
        peer->Send(envelope);
    if (TarvPong* pong = TarvPong::GetInstance())
        pong->Start();
    return true;
}
