#pragma once

#include "ux/widgets/UxListRow.h"
#include "ux/widgets/UxListRowAnimation.h"
#include "ux/widgets/UxScrollWindow.h"

#include <string>
#include <vector>

// The scrolling list every list screen, option page and popup menu is built on: header
// and item rows drawn through DrawRow, animated in and out, groups that fold, a search
// filter, and held and clicked rows reported through OnRowHeld and OnRowClicked.
class UxListWindow : public UxScrollWindow {
public:
    UxListWindow();
    ~UxListWindow() override;

    bool OnRectChanged(const plat::RECT& rect) override;
    bool OnPointerDown(int32_t x, int32_t y) override;
    bool OnPointerUp(int32_t x, int32_t y) override;
    bool OnPointerHold(int32_t x, int32_t y) override;
    bool OnPointerClick(int32_t x, int32_t y) override;
    // Page up, page down, end and home scroll; every key is taken here.
    bool OnKeyDown(uintptr_t key, intptr_t keyData) override;
    // A row of average height.
    int32_t GetScrollLine() override;
    bool OnChildEvent(UxWindow* child, int32_t code) override;
    void OnChildPressEnded(UxWindow* child) override;
    void OnDragStart(UxScrollAxis* axis) override;
    bool PaintContent(UxDeviceContext* surface, const plat::RECT& dest, const plat::RECT& content) override;

    // Draws the rows that meet content (content pixels) into dest (surface space).
    virtual bool PaintRows(UxDeviceContext* surface, const plat::RECT& dest, const plat::RECT& content);
    // clip: the part to draw in the surface's space; rowClip: the same relative to the row.
    virtual bool DrawRow(UxDeviceContext* surface, int32_t index, const plat::RECT& clip, const plat::RECT& rowClip);
    // x and y relative to the row.
    virtual void OnRowHeld(int32_t index, int32_t x, int32_t y);
    virtual void OnRowClicked(int32_t index, int32_t x, int32_t y);
    virtual bool MatchesFilter(int32_t index, const std::wstring& filter);
    // Whether the keyboard's row walks the rows (a list whose rows are no buttons says no).
    virtual bool HasKeyRows() const { return true; }

    bool AddRow(const UxListRow& row);
    // Before index; false when index is not a row.
    bool InsertRow(const UxListRow& row, int32_t index);
    bool RemoveRow(int32_t index);
    void Clear();
    bool Expand(int32_t index);
    bool Collapse(int32_t index);
    // Applies the running row animation's end state at once.
    void StopAnimation() { m_animation.Finish(); }
    void SetAnimate(bool animate) { m_animate = animate ? 1 : 0; }

    // The pressed row, lit from the hold until the press ends (its click, a release
    // that clicks nothing, a drag); -1 for none.
    void SetSelection(int32_t index);
    int32_t GetSelection() const { return m_selection; }
    // A row is drawn lit while pressed (the selection) or while it is the keyboard's row.
    bool IsRowLit(int32_t index) const { return index >= 0 && (index == m_selection || index == m_keyRow); }

    // The keyboard's row: one list at a time has one. It moves by step over the rows
    // that show (the first from the top of the view, or the last from its bottom, when
    // there is none yet), scrolled into view at once; false when no row shows or the list
    // has no keyboard rows.
    bool MoveKeyRow(int32_t step);
    // The keyboard's row put on the row, scrolled into view at once; false when that
    // row does not show.
    bool PutKeyRow(int32_t index);
    int32_t GetKeyRow() const { return m_keyRow; }
    // Enter on the keyboard's row: what a tap in its middle does. False when there is no
    // such row on show.
    bool ClickKeyRow();
    // The keyboard's row goes (the mouse was used); Within: only from a list inside the
    // window (a page that went).
    static void DropKeyRow();
    static void DropKeyRowWithin(const UxWindow& window);
    void SetFilter(const std::wstring& text);
    const std::wstring& GetFilter() const { return m_filter; }

    // The row covering content y, -1 for none; rows without height cover nothing.
    int32_t RowAt(int32_t y) const;
    int32_t RowAtScreenY(int32_t y) const;
    // Window space.
    plat::RECT GetRowRect(int32_t index) const;
    void RefreshRow(int32_t index);
    // first < 0: from the top; last < 0: to the window's bottom.
    void RefreshRows(int32_t first, int32_t last);
    int32_t FindHeaderRow(int32_t index) const;
    // Whether the group above index is open; true outside any group.
    bool IsGroupExpanded(int32_t index) const;
    int32_t GetFullHeight(int32_t index) const;

    int32_t GetRowCount() const { return static_cast<int32_t>(m_rows.size()); }
    const UxListRow& GetRow(int32_t index) const { return m_rows[static_cast<size_t>(index)]; }
    UxListRow& GetRow(int32_t index) { return m_rows[static_cast<size_t>(index)]; }
    bool IsValidRow(int32_t index) const { return index >= 0 && index < GetRowCount(); }
    const UxListRowAnimation& GetAnimation() const { return m_animation; }

private:
    friend class UxListRowAnimation;

    // What a click on the row does, x and y relative to the row.
    void ClickRow(int32_t index, int32_t x, int32_t y);
    // The row shows and can be lit by the keyboard.
    bool IsRowOnShow(int32_t index) const;
    void SetKeyRow(int32_t index);
    // Finishes a running animation first; index moves with a row that goes away by it.
    void FinishAnimation(int32_t* index);
    bool StartRowAnimation(int32_t mode, int32_t index);
    // Sets the animated height; the content grows by the change unless the row is hidden.
    void SetShownHeight(int32_t index, int32_t height);
    void EraseRow(int32_t index);
    void LayoutFrom(int32_t index);
    void SetContentHeight(int32_t height);
    // The rows of the group whose header is at index: [index + 1, end).
    int32_t GroupEnd(int32_t header) const;

    std::vector<UxListRow> m_rows;
    UxListRowAnimation m_animation;
    uint8_t m_animate = 1;
    std::wstring m_filter;
    int32_t m_selection = -1;
    uint8_t m_movingAtDown = 0;
    int32_t m_pressedY = -1; // content y under the latest press
    int32_t m_keyRow = -1;
    // The list whose keyboard row is lit.
    static inline UxListWindow* s_keyList = nullptr;
};
