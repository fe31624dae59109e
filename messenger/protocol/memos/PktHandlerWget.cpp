#include "messenger/protocol/memos/PktHandlerWget.h"

#include "messenger/MessengerScreens.h"
#include "messenger/model/MemoList.h"
#include "messenger/protocol/codec/PktHandlerFactory.h"
#include "messenger/protocol/connection/TarvPeer.h"
#include "messenger/protocol/memos/MemoBox.h"
#include "messenger/protocol/memos/PktInWget.h"
#include "messenger/protocol/memos/PktOutWget.h"
#include "ux/core/UxText.h"

#include <algorithm>

namespace {

[[maybe_unused]] const bool kRegistered = PktHandlerFactory::RegisterClass<PktHandlerWget>({ L"WGET" });

} // namespace

bool PktHandlerWget::Handle(TarvPeer* peer, PktIn& packet)
{
    MessengerScreens* screens = MessengerScreens::GetCurrent();
    if (!packet.Succeeded()) {
        UxTrace(L"%s refused: %s\n", packet.GetCommand().c_str(),
            DescribeMemoFailure(packet.GetResult()).c_str());
        if (screens) {
            screens->ShowMsgBox(packet.GetCommand() + L" [" + std::to_wstring(packet.GetResult()) + L"]\n\n"
                + GetMemoFailureText(packet.GetResult()));
        }
        return false;
    }
    auto& answer = static_cast<PktInWget&>(packet);
    if (!answer.Complete)
        return true;

    MemoList* memos = MemoList::GetInstance();
    switch (answer.Kind) {
    case PktOutWget::KindList: {
        if (!memos)
            return true;
        // Pages a box cannot hold are no answer this list can take (the next page asked
        // for is the reported one plus 1).
        const auto outside = [](int32_t page) { return page < 0 || page > MemoBox::kMaxPages; };
        if (outside(answer.List.Page) || outside(answer.List.Total)) {
            UxTrace(L"PktHandlerWget::Handle, a memo page %d of %d is refused.\n", answer.List.Page,
                answer.List.Total);
            return false;
        }
        memos->Page = answer.List.Page;
        memos->Total = answer.List.Total;
        int appended = 0;
        for (const Memo& memo : answer.List.Memos)
            appended += memos->PushBack(memo) != nullptr;
        if (screens)
            screens->AppendMemoPage(appended);
        break;
    }
    case PktOutWget::KindCount: {
        if (!memos)
            return true;
        const uint8_t unread = answer.Unread != 0;
        const int32_t count = std::max(answer.Unread, 0);
        if (memos->Unread != unread || memos->UnreadCount != count) {
            memos->Unread = unread;
            memos->UnreadCount = count;
            if (screens)
                screens->UpdateNotifyIcons();
        }
        break;
    }
    case PktOutWget::KindGet:
        if (peer && !answer.Frame.empty()) {
            // Nested answers restore the flag of the one around them.
            const bool outer = s_openingMemo;
            s_openingMemo = true;
            peer->OnPacket(
                reinterpret_cast<const uint8_t*>(answer.Frame.data()), static_cast<int>(answer.Frame.size()));
            s_openingMemo = outer;
        }
        break;
    default:
        break;
    }
    return true;
}
