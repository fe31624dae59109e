#include "messenger/protocol/memos/MemoBox.h"

#include "messenger/model/Me.h"
#include "messenger/model/MemoList.h"
#include "messenger/protocol/chat/PktOutCmsg.h"
#include "messenger/protocol/connection/PktOutCrp2.h"
#include "messenger/protocol/connection/TarvPeer.h"
#include "messenger/protocol/memos/MemoBody.h"
#include "messenger/protocol/memos/PktOutImsg.h"
#include "messenger/protocol/memos/PktOutWget.h"

namespace {

bool SendWget(TarvPeer& peer, PktOutWget& request)
{
    request.SizeLimit = MemoBox::kSizeLimit;
    PktOutCrp2 envelope(PktOutCrp2::KindDp, L"");
    return envelope.SetPayload(request) && peer.Send(envelope);
}

bool RequestPage(TarvPeer& peer, int32_t box, int32_t page)
{
    PktOutWget request;
    request.Kind = PktOutWget::KindList;
    request.List.MsgType = 0;
    request.List.BoxType = box;
    request.List.RequestPage = page;
    request.List.Count = MemoBox::kPageSize;
    return SendWget(peer, request);
}

int32_t CurrentBoxType()
{
    const MemoList* memos = MemoList::GetInstance();
    return memos ? memos->GetRequestBoxType() : 3;
}

} // namespace

bool MemoBox::SwitchBox(TarvPeer& peer, int32_t box)
{
    if (MemoList* memos = MemoList::GetInstance()) {
        memos->Clear();
        memos->Box = box;
    }
    const bool listed = RequestPage(peer, box, 1);
    return RequestCount(peer) && listed;
}

bool MemoBox::RequestNextPage(TarvPeer& peer)
{
    const MemoList* memos = MemoList::GetInstance();
    if (!memos || memos->Page < 0 || memos->Page >= kMaxPages)
        return false;
    return RequestPage(peer, memos->Box, memos->Page + 1);
}

bool MemoBox::RequestCount(TarvPeer& peer)
{
    PktOutWget request;
    request.Kind = PktOutWget::KindCount;
    return SendWget(peer, request);
}

bool MemoBox::OpenMemo(TarvPeer& peer, const Memo& memo)
{
    PktOutWget request;
    request.Kind = PktOutWget::KindGet;
    request.Get.Cookie = memo.Cookie;
    request.Get.BoxType = CurrentBoxType();
    const bool asked = SendWget(peer, request);
    return RequestCount(peer) && asked;
}

bool MemoBox::DeleteMemo(TarvPeer& peer, const std::wstring& cookie)
{
    PktOutWget request;
    request.Kind = PktOutWget::KindDelete;
    request.ByCookie.Cookie = cookie;
    request.ByCookie.BoxType = CurrentBoxType();
    return SendWget(peer, request);
}

bool MemoBox::ReportSpam(TarvPeer& peer, const std::wstring& cookie)
{
    PktOutWget request;
    request.Kind = PktOutWget::KindSpam;
    request.ByCookie.Cookie = cookie;
    return SendWget(peer, request);
}

bool MemoBox::SendMemo(TarvPeer& peer, const std::vector<std::wstring>& receivers, int32_t event,
    const std::wstring& cookie, const std::wstring& text)
{
    if (receivers.empty())
        return false;
    PktOutImsg memo;
    if (const Me* me = Me::GetInstance())
        memo.From = me->Id;
    memo.References = receivers;
    memo.Date.Now();
    memo.Event = event;
    memo.Cookie = cookie;
    memo.FontSize = 9;
    memo.ContentType = MemoContentText;
    memo.Body = text;
    PktOutCmsg message;
    message.Flag = true;
    message.Recipients = receivers;
    PktOutCrp2 envelope(PktOutCrp2::KindDp, L"");
    return message.SetPayload(memo) && envelope.SetPayload(message) && peer.Send(envelope);
}
