#include "app/memos/MemoListView.h"

#include "app/shell/MessengerApp.h"
#include "app/shell/SkinParts.h"
#include "messenger/model/BuddyList.h"
#include "messenger/model/MemoList.h"
#include "messenger/protocol/connection/TarvPeer.h"
#include "messenger/protocol/memos/MemoBox.h"
#include "ux/core/UxText.h"
#include "ux/widgets/UxListItemPainter.h"

#include <algorithm>

bool MemoListView::ApplySkin(UxXmlNode* node)
{
    return FramedList::ApplySkin(node) && m_unreadIcon.Read(node, L"UnreadIcon")
        && m_readIcon.Read(node, L"ReadIcon") && m_title.Read(node, L"Title") && m_from.Read(node, L"From")
        && m_date.Read(node, L"Date") && m_more.Read(node, L"More")
        && ReadTextColour(node, L"Title", L"TextColorRead", m_title.look[0], m_titleRead);
}

UxListRow MemoListView::MakeRow(const Memo* memo) const
{
    return m_frame.MakeRow(UxListRow::Item, reinterpret_cast<uintptr_t>(memo));
}

const Memo* MemoListView::GetMemo(int32_t index) const
{
    return IsValidRow(index) ? reinterpret_cast<const Memo*>(GetRow(index).data) : nullptr;
}

void MemoListView::SwitchBox(int32_t box)
{
    ClearRows();
    Invalidate();
    if (MessengerApp* app = MessengerApp::GetInstance()) {
        app->GetMemoListPage().GetTitleBar().ShowBox(box);
        // MemoList frees every memo now: the read page must not name one of them.
        app->GetMemoReadPage().GetView().Forget();
    }
    if (TarvPeer* peer = TarvPeer::GetInstance()) {
        MemoBox::SwitchBox(*peer, box);
    } else if (MemoList* memos = MemoList::GetInstance()) {
        memos->Clear();
        memos->Box = box;
    }
}

void MemoListView::AppendPage(int32_t n)
{
    MemoList* memos = MemoList::GetInstance();
    if (!memos)
        return;
    // A row still shrinking away would go while the rows below are added, and the
    // "more" row's index taken now would then name the row after it.
    StopAnimation();
    DropLeftRecords();
    const int32_t last = GetRowCount() - 1;
    const int32_t oldMore = last >= 0 && !GetMemo(last) ? last : -1;
    const size_t count = memos->GetCount();
    const size_t added = std::min(count, static_cast<size_t>(std::max(n, 0)));
    for (size_t i = count - added; i < count; ++i)
        AddRow(MakeRow(memos->GetAt(i)));
    if (memos->Page != memos->Total) {
        m_moreText = kMore;
        AddRow(MakeRow(nullptr));
    }
    if (oldMore >= 0)
        RemoveRow(oldMore);
}

void MemoListView::InsertNewMemos(int32_t n)
{
    MemoList* memos = MemoList::GetInstance();
    if (!memos)
        return;
    StopAnimation(); // row i is MemoList entry i again
    DropLeftRecords();
    const int32_t count = std::min(n, static_cast<int32_t>(memos->GetCount()));
    // The newest memo is entry 0 and takes the top row; the rest follow in order.
    for (int32_t i = 0; i < count; ++i) {
        const UxListRow row = MakeRow(memos->GetAt(static_cast<size_t>(i)));
        if (i < GetRowCount())
            InsertRow(row, i);
        else
            AddRow(row);
    }
}

bool MemoListView::RemoveMemo(const Memo* memo)
{
    MemoList* memos = MemoList::GetInstance();
    if (!memo || !memos)
        return false;
    bool listed = false;
    for (size_t i = 0; i < memos->GetCount() && !listed; ++i)
        listed = memos->GetAt(i) == memo;
    if (!listed)
        return false;
    DropLeftRecords();
    int32_t index = 0;
    while (index < GetRowCount() && GetMemo(index) != memo)
        ++index;
    if (index == GetRowCount())
        return false;
    // The row shows a copy of its own until it is gone; the record itself is freed now,
    // by identity, whatever rows the new memos have pushed it down by.
    m_leaving.push_back(std::make_unique<Memo>(*memo));
    GetRow(index).data = reinterpret_cast<uintptr_t>(m_leaving.back().get());
    memos->Remove(memo);
    RemoveRow(index);
    return true;
}

void MemoListView::ClearRows()
{
    Clear();
    m_leaving.clear();
    m_moreText = kMore;
}

void MemoListView::DropLeftRecords()
{
    std::erase_if(m_leaving, [this](const std::unique_ptr<Memo>& left) {
        for (int32_t i = 0; i < GetRowCount(); ++i)
            if (GetMemo(i) == left.get())
                return false;
        return true;
    });
}

std::wstring MemoListView::SenderName(const Memo& memo)
{
    BuddyList* buddies = BuddyList::GetInstance();
    const Buddy* buddy = buddies ? buddies->Find(memo.From) : nullptr;
    return buddy ? buddy->Name : memo.From;
}

std::vector<std::wstring> MemoListView::SentTo(const Memo& memo)
{
    std::vector<std::wstring> ids = SplitString(memo.From, L";");
    std::erase(ids, std::wstring());
    return ids;
}

std::wstring MemoListView::FromText(const Memo& memo)
{
    MemoList* memos = MemoList::GetInstance();
    if (!memos || memos->Box != MemoList::BoxSent)
        return SenderName(memo);
    const std::vector<std::wstring> ids = SentTo(memo);
    if (ids.empty())
        return L"";
    const std::wstring first = MemoWriteView::GetDisplayName(ids.front());
    if (ids.size() == 1)
        return first;
    return FormatString(L"%s 외 %u명", first.c_str(), static_cast<unsigned>(ids.size() - 1));
}

std::wstring MemoListView::DateText(const Memo& memo)
{
    return memo.Date.Format(L"yyyy-MM-dd hh:mm:ss");
}

bool MemoListView::DrawItems(UxListItemPainter& painter, int32_t index, bool selected)
{
    const Memo* memo = GetMemo(index);
    if (!memo) {
        m_more.Draw(painter, m_moreText, selected);
        return true;
    }
    (memo->Read ? m_readIcon : m_unreadIcon).Draw(painter);
    if (memo->Read && !selected) {
        m_titleRead.SetText(memo->GetFirstLine());
        painter.DrawText(m_titleRead, m_title.rect);
    } else {
        m_title.Draw(painter, memo->GetFirstLine(), selected);
    }
    m_from.Draw(painter, FromText(*memo), selected);
    m_date.Draw(painter, DateText(*memo), selected);
    return true;
}

void MemoListView::OnRowClicked(int32_t index, int32_t, int32_t)
{
    MessengerApp* app = MessengerApp::GetInstance();
    TarvPeer* peer = TarvPeer::GetInstance();
    MemoList* memos = MemoList::GetInstance();
    if (!app || !peer || !memos || !IsValidRow(index))
        return;
    const Memo* shown = GetMemo(index);
    if (!shown) {
        // One page at a time: a tap while one is on its way asks for nothing.
        if (m_moreText != kMore)
            return;
        m_moreText = kLoading;
        RefreshRow(index);
        MemoBox::RequestNextPage(*peer);
        return;
    }
    // A row on its way out shows a copy; its memo is gone already.
    for (size_t i = 0; i < memos->GetCount(); ++i) {
        Memo* memo = memos->GetAt(i);
        if (memo == shown) {
            OpenMemo(*memo);
            return;
        }
    }
}

void MemoListView::OpenMemo(Memo& memo)
{
    MessengerApp* app = MessengerApp::GetInstance();
    TarvPeer* peer = TarvPeer::GetInstance();
    if (!app || !peer)
        return;
    MemoBox::OpenMemo(*peer, memo);
    app->GetNotifier().MemoRead(memo.Cookie);
    MemoReadPage& page = app->GetMemoReadPage();
    const bool onTop = page.GetShownMemo() != nullptr;
    page.GetView().ShowMemo(&memo);
    if (!onTop)
        app->PushScreen(&app->GetStatusBarDisclosure(), &page, MessengerApp::CoverFromBottom);
}
