#pragma once

#include "messenger/model/Memo.h"
#include "ux/core/UxSingleton.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>

// The memos of the box being shown, newest first, and whether the service holds
// unread memos. Rows of the memo screens point at the records, which stay where they
// are until they are removed.
class MemoList : public UxSingleton<MemoList> {
public:
    enum Box { BoxInbox = 0, BoxSent = 1, BoxNone = 2 };
    // A full list takes no more memos (rows may point at every record it holds).
    static constexpr size_t kMaxMemos = 10000;

    // 0 for the inbox, 1 for the sent box, 3 for anything else.
    int32_t GetRequestBoxType() const;

    // Both take a copy and return the stored record; null when the list is full.
    Memo* PushFront(const Memo& memo);
    Memo* PushBack(const Memo& memo);
    // Removes that very record (not whatever sits where it was); false when it is not
    // in the list. The record is freed.
    bool Remove(const Memo* memo);
    // Frees every record. The unread flag and count stay: they are the service's, which
    // a box switch asks for again and the session's end clears.
    void Clear();

    size_t GetCount() const { return m_memos.size(); }
    Memo* GetAt(size_t index) const { return index < m_memos.size() ? m_memos[index].get() : nullptr; }
    // The first memo with this cookie; null when none.
    Memo* FindByCookie(const std::wstring& cookie) const;

    int32_t Box = BoxNone;
    int32_t Page = 0; // page number of the last list answer
    int32_t Total = 0; // the list answer's second number, kept
    uint8_t Unread = 0;
    // How many memos the service holds unread, as last counted and since arrived.
    int32_t UnreadCount = 0;

private:
    std::deque<std::unique_ptr<Memo>> m_memos;
};
