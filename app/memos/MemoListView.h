#pragma once

#include "app/shell/FramedList.h"
#include "messenger/model/Memo.h"

#include <memory>
#include <string>
#include <vector>

class UxXmlNode;

// The memos of the box shown, ten a page: row i shows MemoList entry i, and a last row
// without a memo loads the next page while pages remain.
class MemoListView : public FramedList {
public:
    MemoListView()
        : FramedList(72)
    {
    }

    // The frame and the row items.
    bool ApplySkin(UxXmlNode* node) override;

    // Empties the list and MemoList, names the box in the title bar (0 received, 1
    // sent) and asks for its first page and the unread count.
    void SwitchBox(int32_t box);
    // Rows for the last n memos of MemoList, then the "more" row while pages remain.
    void AppendPage(int32_t n);
    // Rows for the first n memos of MemoList, on top in the same order.
    void InsertNewMemos(int32_t n);
    // The memo's row goes, still showing the memo while it shrinks away; MemoList
    // frees the record. False when no row shows it.
    bool RemoveMemo(const Memo* memo);
    // No rows, and no record kept for rows on their way out (the session ends).
    void ClearRows();

    void OnRowClicked(int32_t index, int32_t x, int32_t y) override;
    // Asks for the memo's content and shows it on the read page, brought up unless it
    // is on top already.
    static void OpenMemo(Memo& memo);

    // The memo a row shows; null for the "more" row.
    const Memo* GetMemo(int32_t index) const;
    // "더 보기..." or, while a page is on its way, "로드 중...".
    const std::wstring& GetMoreText() const { return m_moreText; }
    // What a memo row says: the first line, who (the sender's name; in the sent box the
    // receivers, "이지연" or "이지연 외 2명") and the time.
    static std::wstring SenderName(const Memo& memo);
    static std::wstring FromText(const Memo& memo);
    static std::wstring DateText(const Memo& memo);
    // The receivers of a memo of the sent box, whose list record names them where the
    // inbox names the sender (ids separated by ";").
    static std::vector<std::wstring> SentTo(const Memo& memo);

    static constexpr const wchar_t* kMore = L"더 보기...";
    static constexpr const wchar_t* kLoading = L"로드 중...";

protected:
    bool DrawItems(UxListItemPainter& painter, int32_t index, bool selected) override;

private:
    UxListRow MakeRow(const Memo* memo) const;
    // Forgets the copies of removed memos whose rows are gone.
    void DropLeftRecords();

    RowImage m_unreadIcon;
    RowImage m_readIcon;
    RowText m_title;
    // The title of a read memo that is not selected.
    UxTextItem m_titleRead;
    RowText m_from;
    RowText m_date;
    RowText m_more;
    std::wstring m_moreText = kMore;

    // Removed memos, kept until the rows that still show them have shrunk away.
    std::vector<std::unique_ptr<Memo>> m_leaving;
};
