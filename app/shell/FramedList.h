#pragma once

#include "app/shell/RowParts.h"
#include "ux/widgets/UxListWindow.h"

// A list whose rows share one frame: their height, the fill behind them, the selection
// bar and the line under each. Subclasses draw what lies between.
class FramedList : public UxListWindow {
public:
    // itemHeight: the rows' height when the skin gives none.
    // Rows, the fill behind them and the background leave no pixel undrawn.
    explicit FramedList(int32_t itemHeight = 56)
    {
        m_frame.itemHeight = itemHeight;
        SetOpaque(true);
    }

    // The list window's keys and the frame's.
    bool ApplySkin(UxXmlNode* node) override;
    bool PaintBackground(UxDeviceContext* surface, const plat::RECT& rect) override;
    // The selection bar or the fill, the row's items, then the line. A list without a
    // selection bar fills its selected row like the others.
    bool DrawRow(
        UxDeviceContext* surface, int32_t index, const plat::RECT& clip, const plat::RECT& rowClip) final;
    int32_t GetItemHeight() const { return m_frame.itemHeight; }

protected:
    // The items of one row; false leaves the line out too.
    virtual bool DrawItems(UxListItemPainter& painter, int32_t index, bool selected) = 0;
    // count item rows of the frame's height, in place at once.
    void AddItemRows(int32_t count);
    // The same for a list whose rows never change: they stay put under the pointer.
    void AddFixedRows(int32_t count);

    RowFrame m_frame;
};
