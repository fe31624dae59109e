#include "messenger/protocol/login/SignOut.h"

#include "messenger/protocol/codec/PktOutEmpty.h"
#include "messenger/protocol/connection/TarvPeer.h"

bool SignOut()
{
    TarvPeer* peer = TarvPeer::GetInstance();
    if (!peer)
        return false;
    if (peer->GetStage() == TarvPeer::StageMain && !peer->IsResetPending()) {
        PktOutEmpty signOut(L"LOUT");
        peer->Send(signOut);
    }
    peer->ResetSession();
    return true;
}
