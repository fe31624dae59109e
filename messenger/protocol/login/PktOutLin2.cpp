#include "messenger/protocol/login/PktOutLin2.h"

#include "messenger/model/Buddy.h"
#include "messenger/protocol/codec/PktKeywords.h"

bool PktOutLin2::WriteArgs(PktStreamWriter& writer)
{
    PktStreamWriter payload;
    payload.WriteArg(Ticket);
    payload.EndLine();
    payload.WriteArg(PasswordDigest);
    payload.WriteArg(AuthenticationKindToText(AuthenticationKind));
    payload.WriteArg(ClientVersion);
    payload.WriteArg(ClientKind);
    payload.WriteArg(Pcid);
    payload.WriteArg(YesNoToText(false));
    payload.WriteArg(L"");
    payload.WriteArg(L"");
    payload.EndLine();
    payload.WriteArg(BuddyStatusToText(Offline ? BuddyStatusShownOffline : BuddyStatusOnline));
    payload.WriteArg(YesNoToText(false));
    payload.WriteArg(YesNoToText(false));
    payload.EndLine();
    payload.WriteArg(L"");
    payload.EndLine();

    writer.WriteArg(UserId);
    writer.WritePayload(payload.GetData(), payload.GetSize());
    return true;
}
