#pragma once

#include "messenger/model/MemoList.h"

#include <cstdint>
#include <string>
#include <vector>

class TarvPeer;

// The memo-box requests as the memo screens make them, each sent as a WGET inside a
// CRP2 of kind "DP". The screens keep their rows; these keep MemoList. False when
// nothing could be sent.
class MemoBox {
public:
    static constexpr int32_t kPageSize = 10;
    static constexpr uint16_t kSizeLimit = 8192;
    // A box holds no more pages than MemoList holds memos; page numbers past this are
    // refused.
    static constexpr int32_t kMaxPages = static_cast<int32_t>(MemoList::kMaxMemos) / kPageSize;

    // Empties MemoList, makes box (0 inbox, 1 sent box) current and asks for its first
    // page, then for the unread count.
    static bool SwitchBox(TarvPeer& peer, int32_t box);
    // The page after the last one the service reported; false, asking nothing, when that
    // was the last a box can hold.
    static bool RequestNextPage(TarvPeer& peer);
    static bool RequestCount(TarvPeer& peer);
    // Asks for a memo's content (it arrives as an IMSG for the read page), then for the
    // unread count.
    static bool OpenMemo(TarvPeer& peer, const Memo& memo);
    static bool DeleteMemo(TarvPeer& peer, const std::wstring& cookie);
    static bool ReportSpam(TarvPeer& peer, const std::wstring& cookie);

    // A memo from the signed-in user, as the compose page sends it: an IMSG for the
    // receivers inside a CMSG inside a CRP2. event is how it was written (new, forward,
    // reply, reply to all), cookie the memo it answers or forwards.
    static bool SendMemo(TarvPeer& peer, const std::vector<std::wstring>& receivers, int32_t event,
        const std::wstring& cookie, const std::wstring& text);
};
