#include "ux/widgets/UxListWindow.h"

#include "ux/core/UxRect.h"
#include "ux/graphics/UxDeviceContext.h"

#include <algorithm>
#include <cstdlib>

UxListWindow::UxListWindow()
{
    GetXAxis().SetDraggable(false);
    m_animation.SetList(this);
}

UxListWindow::~UxListWindow()
{
    m_animation.Stop();
    if (s_keyList == this)
        s_keyList = nullptr;
}

bool UxListWindow::OnRectChanged(const plat::RECT& rect)
{
    UxScrollWindow::OnRectChanged(rect);
    // Rows span the whole width, so that a row's fill and its selection bar reach the
    // edge; the indicator fades in over them as it does over any content.
    SetContentSize(GetXAxis().GetViewSize(), GetYAxis().GetContentSize());
    return true;
}

bool UxListWindow::OnPointerDown(int32_t x, int32_t y)
{
    // A list that no longer moves to the eye has stopped: the touch is a tap, on the row
    // seen under it now, before the press puts a list left past its edge back.
    m_movingAtDown = GetYAxis().IsVisiblyMoving() ? 1 : 0;
    m_pressedY = ScreenToClient(plat::POINT { x, y }).y - GetYAxis().GetOffset();
    // The mouse takes over from the keyboard.
    DropKeyRow();
    return UxScrollWindow::OnPointerDown(x, y);
}

bool UxListWindow::OnPointerUp(int32_t x, int32_t y)
{
    const bool accepted = UxScrollWindow::OnPointerUp(x, y);
    // A row is lit while it is pressed: a release that clicks nothing ends that here,
    // one that clicks ends it with the click.
    if (!GetPointerTracker().ClicksOnRelease())
        SetSelection(-1);
    return accepted;
}

bool UxListWindow::OnPointerHold(int32_t x, int32_t y)
{
    if (!UxScrollWindow::OnPointerHold(x, y))
        return false;
    if (m_movingAtDown)
        return true; // the touch only stopped the list
    SetSelection(RowAt(m_pressedY));
    if (IsValidRow(m_selection) && m_rows[size_t(m_selection)].kind == UxListRow::Item) {
        plat::RECT row = GetRowRect(m_selection);
        plat::POINT p = ScreenToClient(plat::POINT { x, y });
        OnRowHeld(m_selection, p.x - row.left, p.y - row.top);
    }
    return true;
}

bool UxListWindow::OnPointerClick(int32_t x, int32_t y)
{
    if (!UxScrollWindow::OnPointerClick(x, y))
        return false;
    // A touch that stopped the list clicks nothing, whatever stayed selected before.
    if (m_movingAtDown || !IsValidRow(m_selection))
        return true;
    const plat::RECT rect = GetRowRect(m_selection);
    const plat::POINT p = ScreenToClient(plat::POINT { x, y });
    ClickRow(m_selection, p.x - rect.left, p.y - rect.top);
    // The press ends with its click: the row does not stay lit.
    SetSelection(-1);
    return true;
}

void UxListWindow::ClickRow(int32_t index, int32_t x, int32_t y)
{
    const UxListRow& row = m_rows[size_t(index)];
    if (row.kind != UxListRow::Header)
        OnRowClicked(index, x, y);
    else if (row.expanded)
        Collapse(index);
    else
        Expand(index);
}

bool UxListWindow::IsRowOnShow(int32_t index) const
{
    return IsValidRow(index) && !m_rows[size_t(index)].hidden && m_rows[size_t(index)].LayoutHeight() > 0;
}

void UxListWindow::SetKeyRow(int32_t index)
{
    if (s_keyList && s_keyList != this)
        DropKeyRow();
    RefreshRow(m_keyRow);
    m_keyRow = index;
    s_keyList = index >= 0 ? this : nullptr;
    RefreshRow(m_keyRow);
}

bool UxListWindow::MoveKeyRow(int32_t step)
{
    if (!HasKeyRows())
        return false;
    UxScrollAxis& y = GetYAxis();
    const int32_t direction = step < 0 ? -1 : 1;
    int32_t index = -1;
    if (IsValidRow(m_keyRow)) {
        index = m_keyRow;
        int32_t left = std::abs(step);
        for (int32_t next = index + direction; left > 0 && IsValidRow(next); next += direction) {
            if (IsRowOnShow(next)) {
                index = next;
                --left;
            }
        }
    } else {
        // None yet: the first row seen from the top of the view, or the last from its
        // bottom.
        const int32_t edge = direction > 0 ? -y.GetOffset() : y.GetViewSize() - 1 - y.GetOffset();
        const int32_t at = RowAt(std::clamp(edge, 0, std::max(0, y.GetContentPixels() - 1)));
        const int32_t from = IsValidRow(at) ? at : (direction > 0 ? 0 : GetRowCount() - 1);
        for (int32_t i = from; IsValidRow(i) && index < 0; i += direction) {
            if (IsRowOnShow(i))
                index = i;
        }
    }
    return PutKeyRow(index);
}

bool UxListWindow::PutKeyRow(int32_t index)
{
    if (!HasKeyRows() || !IsRowOnShow(index))
        return false;
    SetKeyRow(index);
    UxScrollAxis& y = GetYAxis();
    // Into view at once, so that a held key runs down the list.
    const UxListRow& row = m_rows[size_t(index)];
    int32_t offset = y.GetOffset();
    if (row.top + offset < 0)
        offset = -row.top;
    else if (row.top + row.LayoutHeight() + offset > y.GetViewSize())
        offset = y.GetViewSize() - row.top - row.LayoutHeight();
    if (offset != y.GetOffset() || y.IsMoving()) {
        y.StopTweens();
        y.SetPosition(offset);
        Invalidate();
    }
    // The press ends with its click: the row does not stay lit.
    SetSelection(-1);
    return true;
}

bool UxListWindow::ClickKeyRow()
{
    if (s_keyList != this || !IsRowOnShow(m_keyRow))
        return false;
    const int32_t index = m_keyRow;
    SetSelection(index);
    const plat::RECT rect = GetRowRect(index);
    ClickRow(index, (rect.right - rect.left) / 2, (rect.bottom - rect.top) / 2);
    // A press and its click at once: the row stays lit as the keyboard's alone.
    SetSelection(-1);
    return true;
}

void UxListWindow::DropKeyRow()
{
    if (UxListWindow* list = s_keyList)
        list->SetKeyRow(-1);
}

void UxListWindow::DropKeyRowWithin(const UxWindow& window)
{
    for (const UxWindow* up = s_keyList; up; up = up->GetParent())
        if (up == &window) {
            DropKeyRow();
            return;
        }
}

bool UxListWindow::OnKeyDown(uintptr_t key, intptr_t)
{
    ScrollPage(key);
    return true;
}

int32_t UxListWindow::GetScrollLine()
{
    // A row of the list, as tall as its rows are on average.
    int64_t shown = 0;
    int64_t count = 0;
    for (const UxListRow& row : m_rows) {
        if (!row.hidden && row.shownHeight > 0) {
            shown += row.shownHeight;
            ++count;
        }
    }
    return count ? static_cast<int32_t>(shown / count) : UxScrollWindow::GetScrollLine();
}

bool UxListWindow::OnChildEvent(UxWindow*, int32_t code)
{
    // A child lying over a row (a button, an edit) lights it while held, as the row
    // itself would be. A quick tap's hold comes after its release: its click ends it.
    if (code == EventPointerHold)
        SetSelection(RowAtScreenY(static_cast<int32_t>(EventParam2)));
    else if (code == EventPointerUp || code == EventClick)
        SetSelection(-1);
    return true;
}

void UxListWindow::OnChildPressEnded(UxWindow*)
{
    // Also let go outside the child, which then reports neither a release nor a click.
    SetSelection(-1);
}

void UxListWindow::OnDragStart(UxScrollAxis* axis)
{
    if (axis == &GetYAxis())
        SetSelection(-1);
}

bool UxListWindow::PaintContent(UxDeviceContext* surface, const plat::RECT& dest, const plat::RECT& content)
{
    return PaintRows(surface, dest, content);
}

bool UxListWindow::PaintRows(UxDeviceContext* surface, const plat::RECT& dest, const plat::RECT& content)
{
    // Bottom edges are exclusive: the last pixel line of the area is bottom - 1.
    int32_t first = RowAt(std::max(content.top, 0));
    int32_t last = RowAt(std::min(content.bottom, GetYAxis().GetContentPixels()) - 1);
    if (first < 0 || last < 0 || first > last)
        return true;
    plat::POINT origin = GetSurfaceOffset();
    for (int32_t i = first; i <= last; ++i) {
        if (m_rows[size_t(i)].hidden)
            continue;
        plat::RECT row = OffsetRect(GetRowRect(i), origin.x, origin.y);
        plat::RECT clip;
        if (!IntersectRect(row, dest, &clip) || IsRectEmpty(clip))
            continue; // rows without height draw nothing
        if (!DrawRow(surface, i, clip, OffsetRect(clip, -row.left, -row.top)))
            return false;
    }
    return true;
}

bool UxListWindow::DrawRow(UxDeviceContext* surface, int32_t index, const plat::RECT& clip, const plat::RECT&)
{
    const UxListRow& row = m_rows[size_t(index)];
    if (row.kind == UxListRow::Item) {
        uint32_t g = 164 + 16 * uint32_t(index % 4);
        surface->FillRect(g | g << 8 | g << 16, clip);
    } else if (row.kind == UxListRow::Header) {
        uint32_t level = (255 + 224 * uint32_t(index % 4)) % 256;
        float l = static_cast<float>(level) * 0.003921569f;
        auto part = [&](float factor) { return static_cast<uint32_t>(l * factor); };
        surface->FillRect(part(82) | part(127) << 8 | part(195) << 16, clip);
    }
    return true;
}

void UxListWindow::OnRowHeld(int32_t, int32_t, int32_t) { }
void UxListWindow::OnRowClicked(int32_t, int32_t, int32_t) { }

bool UxListWindow::MatchesFilter(int32_t, const std::wstring&)
{
    return true;
}

// Rows.

void UxListWindow::FinishAnimation(int32_t* index)
{
    if (!m_animation.IsRunning())
        return;
    bool removing = m_animation.GetMode() == UxListRowAnimation::Remove;
    int32_t removed = m_animation.GetIndex();
    m_animation.Finish();
    // The caller counted the row that has just gone.
    if (index && removing && *index > removed)
        --*index;
}

bool UxListWindow::StartRowAnimation(int32_t mode, int32_t index)
{
    return m_animation.Start(mode, index, m_animate != 0);
}

bool UxListWindow::AddRow(const UxListRow& row)
{
    FinishAnimation(nullptr);
    SetSelection(-1);
    UxListRow added = row;
    added.top = GetYAxis().GetContentPixels();
    added.shownHeight = 0;
    m_rows.push_back(added);
    int32_t index = GetRowCount() - 1;
    if (added.kind != UxListRow::Item || IsGroupExpanded(index))
        StartRowAnimation(UxListRowAnimation::Insert, index);
    return true;
}

bool UxListWindow::InsertRow(const UxListRow& row, int32_t index)
{
    if (!IsValidRow(index))
        return false;
    FinishAnimation(&index);
    if (index >= GetRowCount())
        return AddRow(row); // the row it was to go before has just been removed
    SetSelection(-1);
    UxListRow added = row;
    added.shownHeight = 0;
    added.top = index > 0 ? m_rows[size_t(index - 1)].top + m_rows[size_t(index - 1)].LayoutHeight() : 0;
    m_rows.insert(m_rows.begin() + index, added);
    if (m_keyRow >= index)
        ++m_keyRow;
    if (added.kind != UxListRow::Item || IsGroupExpanded(index))
        StartRowAnimation(UxListRowAnimation::Insert, index);
    return true;
}

bool UxListWindow::RemoveRow(int32_t index)
{
    if (!IsValidRow(index))
        return false;
    bool pending = m_animation.IsRunning() && m_animation.GetMode() == UxListRowAnimation::Remove
        && m_animation.GetIndex() == index;
    FinishAnimation(&index);
    SetSelection(-1);
    if (pending)
        return true; // that very row was on its way out and is gone now
    const UxListRow& row = m_rows[size_t(index)];
    if (row.kind == UxListRow::Item && !IsGroupExpanded(index)) {
        EraseRow(index);
        LayoutFrom(index);
        GetYAxis().Settle();
        RefreshRows(index, -1);
        return true;
    }
    return StartRowAnimation(UxListRowAnimation::Remove, index);
}

void UxListWindow::Clear()
{
    Reset();
    m_rows.clear();
    m_animation.Stop();
    m_selection = -1;
    if (m_keyRow >= 0)
        SetKeyRow(-1);
    m_movingAtDown = 0;
    SetContentHeight(0);
    GetYAxis().SetPosition(0);
}

bool UxListWindow::Expand(int32_t index)
{
    if (!IsValidRow(index) || m_rows[size_t(index)].kind != UxListRow::Header)
        return false;
    FinishAnimation(&index); // one group animation at a time, each from a settled state
    m_rows[size_t(index)].expanded = 1;
    return StartRowAnimation(UxListRowAnimation::Expand, index);
}

bool UxListWindow::Collapse(int32_t index)
{
    if (!IsValidRow(index) || m_rows[size_t(index)].kind != UxListRow::Header)
        return false;
    FinishAnimation(&index);
    m_rows[size_t(index)].expanded = 0;
    return StartRowAnimation(UxListRowAnimation::Collapse, index);
}

void UxListWindow::SetShownHeight(int32_t index, int32_t height)
{
    UxListRow& row = m_rows[size_t(index)];
    if (!row.hidden)
        SetContentHeight(GetYAxis().GetContentSize() + height - row.shownHeight);
    row.shownHeight = height;
}

void UxListWindow::EraseRow(int32_t index)
{
    SetContentHeight(GetYAxis().GetContentSize() - m_rows[size_t(index)].LayoutHeight());
    m_rows.erase(m_rows.begin() + index);
    if (m_selection == index)
        m_selection = -1;
    else if (m_selection > index)
        --m_selection;
    if (m_keyRow == index)
        SetKeyRow(-1);
    else if (m_keyRow > index)
        --m_keyRow;
}

void UxListWindow::LayoutFrom(int32_t index)
{
    int32_t start = std::max(index, 0);
    int32_t top = start > 0 ? m_rows[size_t(start - 1)].top + m_rows[size_t(start - 1)].LayoutHeight() : 0;
    for (size_t i = size_t(start); i < m_rows.size(); ++i) {
        m_rows[i].top = top;
        top += m_rows[i].LayoutHeight();
    }
}

void UxListWindow::SetContentHeight(int32_t height)
{
    SetContentSize(GetXAxis().GetContentSize(), height);
}

int32_t UxListWindow::GroupEnd(int32_t header) const
{
    int32_t end = header + 1;
    while (end < GetRowCount() && m_rows[size_t(end)].kind != UxListRow::Header)
        ++end;
    return end;
}

void UxListWindow::SetFilter(const std::wstring& text)
{
    m_filter = text;
    if (text.empty()) {
        for (UxListRow& row : m_rows)
            row.hidden = 0;
    } else {
        int32_t header = -1;
        bool anyShown = false;
        auto closeGroup = [&] {
            if (header >= 0)
                m_rows[size_t(header)].hidden = anyShown ? 0 : 1;
        };
        for (int32_t i = 0; i < GetRowCount(); ++i) {
            UxListRow& row = m_rows[size_t(i)];
            if (row.kind == UxListRow::Header) {
                closeGroup();
                header = i;
                anyShown = false;
            } else if (row.kind == UxListRow::Item) {
                row.hidden = MatchesFilter(i, text) ? 0 : 1;
                anyShown = anyShown || !row.hidden;
            }
        }
        closeGroup();
    }
    int32_t total = 0;
    for (const UxListRow& row : m_rows)
        total += row.LayoutHeight();
    SetContentHeight(total);
    GetYAxis().Settle();
    LayoutFrom(0);
    Invalidate();
}

// Lookups.

int32_t UxListWindow::RowAt(int32_t y) const
{
    // Bottoms never decrease, so the first row ending below y is the only candidate.
    auto it = std::partition_point(
        m_rows.begin(), m_rows.end(), [y](const UxListRow& row) { return row.top + row.LayoutHeight() <= y; });
    if (it == m_rows.end() || it->top > y)
        return -1;
    return static_cast<int32_t>(it - m_rows.begin());
}

int32_t UxListWindow::RowAtScreenY(int32_t y) const
{
    plat::POINT p = ScreenToClient(plat::POINT { 0, y });
    return RowAt(p.y - GetYAxis().GetOffset());
}

plat::RECT UxListWindow::GetRowRect(int32_t index) const
{
    if (!IsValidRow(index))
        return {};
    const UxListRow& row = m_rows[size_t(index)];
    int32_t top = row.top + GetYAxis().GetOffset();
    return { 0, top, GetXAxis().GetContentPixels(), top + row.LayoutHeight() };
}

void UxListWindow::RefreshRow(int32_t index)
{
    plat::RECT part;
    // An empty rectangle would invalidate the whole window.
    if (IntersectRect(GetRowRect(index), GetClientRect(), &part) && !IsRectEmpty(part))
        Invalidate(part);
}

void UxListWindow::RefreshRows(int32_t first, int32_t last)
{
    if (first >= GetRowCount())
        return;
    plat::RECT client = GetClientRect();
    int32_t top = first < 0 ? 0 : GetRowRect(first).top;
    int32_t bottom = IsValidRow(last) ? GetRowRect(last).bottom : client.bottom;
    plat::RECT part;
    if (IntersectRect({ client.left, top, client.right, bottom }, client, &part) && !IsRectEmpty(part))
        Invalidate(part);
}

int32_t UxListWindow::FindHeaderRow(int32_t index) const
{
    for (int32_t i = std::min(index, GetRowCount() - 1); i >= 0; --i) {
        if (m_rows[size_t(i)].kind == UxListRow::Header)
            return i;
    }
    return -1;
}

bool UxListWindow::IsGroupExpanded(int32_t index) const
{
    int32_t header = FindHeaderRow(index - 1);
    return header < 0 || m_rows[size_t(header)].expanded;
}

int32_t UxListWindow::GetFullHeight(int32_t index) const
{
    return IsValidRow(index) ? m_rows[size_t(index)].VisibleFullHeight() : 0;
}

void UxListWindow::SetSelection(int32_t index)
{
    if (index < 0)
        index = -1;
    if (index == m_selection)
        return;
    RefreshRow(m_selection);
    m_selection = index;
    RefreshRow(m_selection);
}
