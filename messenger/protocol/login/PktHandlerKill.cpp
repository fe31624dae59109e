#include "messenger/protocol/login/PktHandlerKill.h"

#include "messenger/MessengerScreens.h"
#include "messenger/protocol/codec/PktHandlerFactory.h"
#include "messenger/protocol/connection/TarvPeer.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktHandlerFactory::RegisterClass<PktHandlerKill>({ L"KILL" });

} // namespace

bool PktHandlerKill::Handle(TarvPeer* peer, PktIn& packet)
{
    if (!CheckResult(packet))
        return false;
    const wchar_t* alert = L"다른 기기에서 동일 아이디로 접속하여 로그아웃 되었습니다.";
    if (peer)
        peer->EndSession(alert);
    else if (MessengerScreens* screens = MessengerScreens::GetCurrent())
        screens->ShowMsgBox(alert);
    return true;
}
