#pragma once

#include "messenger/model/Memo.h"
#include "ux/graphics/UxImageItem.h"
#include "ux/graphics/UxTextItem.h"
#include "ux/widgets/UxListWindow.h"

#include <memory>
#include <string>
#include <vector>

class UxXmlNode;

// The memos of the box shown, ten a page: row i shows MemoList entry i, and a last row
// without a memo loads the next page while pages remain.
class MemoListView : public UxListWindow {
public:
    // Applies the node and reads the row items, height and colours from it.
    bool Build(UxXmlNode* node);

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

    bool PaintBackground(UxDeviceContext* surface, const plat::RECT& rect) override;
    bool DrawRow(
        UxDeviceContext* surface, int32_t index, const plat::RECT& clip, const plat::RECT& rowClip) override;
    void OnRowClicked(int32_t index, int32_t x, int32_t y) override;

    // The memo a row shows; null for the "more" row.
    const Memo* GetMemo(int32_t index) const;
    // "더 보기..." or, while a page is on its way, "로드 중...".
    const std::wstring& GetMoreText() const { return m_more.GetText(); }
    // What a memo row says: the first line, the sender's name and the time.
    static std::wstring SenderName(const Memo& memo);
    static std::wstring DateText(const Memo& memo);

    static constexpr const wchar_t* kMore = L"더 보기...";
    static constexpr const wchar_t* kLoading = L"로드 중...";

private:
    UxListRow MakeRow(const Memo* memo) const;
    // Forgets the copies of removed memos whose rows are gone.
    void DropLeftRecords();

    UxImageItem m_selectionBar;
    UxImageItem m_line;
    UxImageItem m_unreadIcon;
    UxImageItem m_readIcon;
    // Normal and selected looks; the title has a third for read memos.
    UxTextItem m_title[3];
    UxTextItem m_from[2];
    UxTextItem m_date[2];
    UxTextItem m_more;
    UxTextItem m_moreSelected;

    plat::RECT m_selectionRect {};
    plat::RECT m_lineRect {};
    plat::RECT m_unreadRect {};
    plat::RECT m_readRect {};
    plat::RECT m_titleRect {};
    plat::RECT m_fromRect {};
    plat::RECT m_dateRect {};
    plat::RECT m_moreRect {};
    int32_t m_itemHeight = 72;
    plat::COLORREF m_backColor = 0xFFFFFF;

    // Removed memos, kept until the rows that still show them have shrunk away.
    std::vector<std::unique_ptr<Memo>> m_leaving;
};
