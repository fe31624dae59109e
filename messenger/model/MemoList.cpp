#include "messenger/model/MemoList.h"

#include <algorithm>

int32_t MemoList::GetRequestBoxType() const
{
    return Box == BoxInbox || Box == BoxSent ? Box : 3;
}

Memo* MemoList::PushFront(const Memo& memo)
{
    if (m_memos.size() >= kMaxMemos)
        return nullptr;
    m_memos.push_front(std::make_unique<Memo>(memo));
    return m_memos.front().get();
}

Memo* MemoList::PushBack(const Memo& memo)
{
    if (m_memos.size() >= kMaxMemos)
        return nullptr;
    m_memos.push_back(std::make_unique<Memo>(memo));
    return m_memos.back().get();
}

bool MemoList::Remove(const Memo* memo)
{
    auto it = std::find_if(m_memos.begin(), m_memos.end(), [memo](const auto& m) { return m.get() == memo; });
    if (it == m_memos.end())
        return false;
    m_memos.erase(it);
    return true;
}

void MemoList::Clear()
{
    m_memos.clear();
}

Memo* MemoList::FindByCookie(const std::wstring& cookie) const
{
    for (const auto& memo : m_memos) {
        if (memo->Cookie == cookie)
            return memo.get();
    }
    return nullptr;
}
