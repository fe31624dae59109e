#include "messenger/protocol/memos/PktHandlerImsg.h"

#include "messenger/MessengerScreens.h"
#include "messenger/model/MemoList.h"
#include "messenger/protocol/codec/PktHandlerFactory.h"
#include "messenger/protocol/memos/PktHandlerWget.h"
#include "messenger/protocol/memos/PktInImsg.h"

#include <cstdint>

namespace {

[[maybe_unused]] const bool kRegistered = PktHandlerFactory::RegisterClass<PktHandlerImsg>({ L"IMSG" });

} // namespace

bool PktHandlerImsg::Handle(TarvPeer*, PktIn& packet)
{
    if (!CheckResult(packet))
        return false;
    auto& imsg = static_cast<PktInImsg&>(packet);
    MessengerScreens* screens = MessengerScreens::GetCurrent();

    if (PktHandlerWget::IsOpeningMemo()) {
        if (Memo* shown = screens ? screens->GetShownMemo() : nullptr) {
            shown->Read = 1;
            screens->SetMemo(imsg);
        }
        return true;
    }

    Memo memo;
    memo.From = imsg.From;
    // Memos written on phones carry no title: the list shows their text instead.
    memo.Title = imsg.Title.empty() ? imsg.Body : imsg.Title;
    memo.Date = imsg.Date;
    memo.Cookie = imsg.Cookie;
    MemoList* memos = MemoList::GetInstance();
    if (memos) {
        // Rows of the list on screen stand for the memos in order: a memo that arrives
        // while another box is shown only marks the inbox unread.
        if (memos->Box == MemoList::BoxInbox && memos->PushFront(memo) && screens)
            screens->InsertNewMemos(1);
        memos->Unread = 1;
        if (memos->UnreadCount < INT32_MAX)
            ++memos->UnreadCount;
    }
    if (screens) {
        screens->UpdateNotifyIcons();
        screens->PlayAlert(MessengerScreens::AlertMemo);
        screens->NotifyMemo(memo);
    }
    return true;
}
