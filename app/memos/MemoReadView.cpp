#include "app/memos/MemoReadView.h"

#include "app/memos/MemoListView.h"
#include "app/memos/MemoWriteView.h"
#include "app/shell/MenuCopy.h"
#include "app/shell/SkinParts.h"
#include "messenger/model/Me.h"
#include "messenger/model/Memo.h"
#include "messenger/model/MemoList.h"
#include "messenger/protocol/memos/PktInImsg.h"
#include "ux/core/UxRect.h"
#include "ux/markup/UxXmlNode.h"
#include "ux/widgets/UxListItemPainter.h"

#include <algorithm>

namespace {

// No piece of the card is taller than this, so their sum stays far inside int32_t
// whatever the skin says.
constexpr int64_t kMaxPiece = 1 << 20;

int32_t Height(const plat::RECT& rect)
{
    return static_cast<int32_t>(std::clamp<int64_t>(int64_t(rect.bottom) - rect.top, 0, kMaxPiece));
}

int32_t Width(const plat::RECT& rect)
{
    return static_cast<int32_t>(std::clamp<int64_t>(int64_t(rect.right) - rect.left, 0, kMaxPiece));
}

// The rectangle's left and right with a new top and height.
plat::RECT Column(const plat::RECT& rect, int32_t top, int32_t height)
{
    return { rect.left, top, rect.right, top + height };
}

} // namespace

MemoReadView::~MemoReadView()
{
    RemoveChildren();
}

bool MemoReadView::ApplySkin(UxXmlNode* node)
{
    if (!FramedList::ApplySkin(node))
        return false;
    // The text box is as tall as its text: the card's own surface keeps it inside the view.
    SetOwnSurface(true);
    if (!m_top.Read(node, L"TSkin") || !m_headerTop.Read(node, L"MTSkin")
        || !m_headerBottom.Read(node, L"MBSkin") || !m_left.Read(node, L"LSkin")
        || !m_right.Read(node, L"RSkin") || !m_bottom.Read(node, L"BSkin")
        || !ReadRowItem(node, L"FromText", m_fromCaption, m_fromCaptionRect)
        || !ReadRowItem(node, L"ToText", m_toCaption, m_toCaptionRect)
        || !ReadRowItem(node, L"From", m_from, m_fromRect) || !ReadRowItem(node, L"To", m_to, m_toRect)
        || !ReadRowItem(node, L"Date", m_date, m_dateRect))
        return false;
    // The captions' words are the skin's.
    for (auto [item, name] :
        { std::pair { &m_fromCaption, L"FromText" }, std::pair { &m_toCaption, L"ToText" } })
        if (UxXmlNode* text = node->FindChild(name) ? node->FindChild(name)->FindChild(L"Text") : nullptr)
            item->SetText(text->GetText());
    AddChild(&Content);
    UxXmlNode* content = node->FindChild(L"Content");
    if (!content || !Content.ApplySkin(content))
        return false;
    m_contentRect = Content.GetRect();
    // The card scrolls as a whole: a drag on the text moves the card.
    Content.GetPointerTracker().SetDisabled(true);
    return true;
}

int32_t MemoReadView::BodyTop() const
{
    return static_cast<int32_t>(
        std::clamp<int64_t>(m_headerTop.rect.bottom, -kMaxPiece, kMaxPiece) + Height(m_headerBottom.rect));
}

void MemoReadView::ShowMemo(Memo* memo)
{
    m_memo = memo;
    m_receivers.clear();
    if (!memo)
        return;
    // A memo of the sent box is the user's own, and its record names the receivers.
    MemoList* memos = MemoList::GetInstance();
    if (memos && memos->Box == MemoList::BoxSent) {
        const Me* me = Me::GetInstance();
        LayOut(MemoWriteView::GetDisplayName(me ? me->Id : L""),
            MemoWriteView::JoinDisplayNames(MemoListView::SentTo(*memo)), MemoListView::DateText(*memo), L"");
    } else {
        LayOut(MemoWriteView::GetDisplayName(memo->From), L"", MemoListView::DateText(*memo), L"");
    }
}

void MemoReadView::SetMemo(const PktInImsg& packet)
{
    m_receivers.clear();
    for (const std::wstring& id : packet.References)
        if (!id.empty())
            m_receivers.push_back(id);
    LayOut(MemoWriteView::GetDisplayName(packet.From), MemoWriteView::JoinDisplayNames(m_receivers),
        packet.Date.Format(L"yyyy-MM-dd hh:mm:ss"), packet.Body);
}

void MemoReadView::LayOut(
    const std::wstring& from, const std::wstring& to, const std::wstring& date, const std::wstring& text)
{
    // The old card goes first, so the text box is back where the card starts.
    Clear();
    m_from.SetText(from);
    m_to.SetText(to);
    m_date.SetText(date);
    const int32_t width = Width(m_contentRect);
    Content.SetRect(Column(m_contentRect, BodyTop(), Height(m_contentRect)));
    Content.SetText(text);
    m_contentHeight = static_cast<int32_t>(std::clamp<int64_t>(
        std::max(Content.GetYAxis().GetContentPixels(), Height(m_contentRect)), 0, kMaxPiece));
    Content.SetSize(width, m_contentHeight);
    Content.GetYAxis().SetPosition(0);

    UxListRow card;
    card.kind = UxListRow::Item;
    card.fullHeight = Height(m_top.rect) + Height(m_headerTop.rect) + Height(m_headerBottom.rect)
        + m_contentHeight + Height(m_bottom.rect);
    AddRow(card);
    StopAnimation();
    Invalidate();
}

bool MemoReadView::OnContextMenu(int32_t x, int32_t y)
{
    if (!Content.IsVisible() || !PointInRect(Content.GetScreenRect(), plat::POINT { x, y }))
        return FramedList::OnContextMenu(x, y);
    // All of the text is copied: all of it is marked while the menu is open, and the
    // menu keeps to the side of the part in sight.
    plat::RECT shown;
    if (!IntersectRect(Content.GetScreenRect(), GetScreenRect(), &shown))
        shown = {};
    Content.SetMarked(true);
    if (MenuCopy::Open(Content.GetText(), shown, &OnCopyMenuClosed, reinterpret_cast<uintptr_t>(this)))
        return true;
    Content.SetMarked(false);
    return false;
}

void MemoReadView::OnCopyMenuClosed(uintptr_t context, UxPopup*, int32_t)
{
    reinterpret_cast<MemoReadView*>(context)->Content.SetMarked(false);
}

bool MemoReadView::DrawItems(UxListItemPainter& painter, int32_t, bool)
{
    m_top.Draw(painter);
    m_headerTop.Draw(painter);
    painter.DrawText(m_fromCaption, m_fromCaptionRect);
    painter.DrawText(m_toCaption, m_toCaptionRect);
    painter.DrawText(m_from, m_fromRect);
    painter.DrawText(m_to, m_toRect);
    painter.DrawText(m_date, m_dateRect);
    const int32_t body = BodyTop();
    const int32_t line = Height(m_headerBottom.rect);
    painter.DrawImage(m_headerBottom.item, Column(m_headerBottom.rect, body - line, line));
    painter.DrawImage(m_left.item, Column(m_left.rect, body, m_contentHeight));
    painter.DrawImage(m_right.item, Column(m_right.rect, body, m_contentHeight));
    painter.DrawImage(m_bottom.item, Column(m_bottom.rect, body + m_contentHeight, Height(m_bottom.rect)));
    return true;
}
