#pragma once

#include "platform/event/Message.h"
#include "ux/graphics/UxImageItem.h"
#include "ux/graphics/UxTextItem.h"
#include "ux/widgets/UxListItemPainter.h"
#include "ux/widgets/UxListRow.h"

#include <string>

class UxXmlNode;

// The pieces list views draw their rows from, each read once from a child of the list's
// skin node and placed by that child's "_Rect", relative to the row.

// Whether x (relative to the row) lies on an item at rect or in the strip before it that
// is as wide as the item sits below the row's top, so a tap just left of a small icon
// still counts. Never for an empty rect.
bool IsOnItem(int32_t x, const plat::RECT& rect);

// A picture in a row; a missing node leaves it empty and draws nothing.
struct RowImage {
    bool Read(UxXmlNode* view, const wchar_t* name);
    void Draw(UxListItemPainter& painter) { painter.DrawImage(item, rect); }

    UxImageItem item;
    plat::RECT rect {};
};

// A text in a row, in its "TextColor", or in "TextColorSelected" on the selected row.
struct RowText {
    bool Read(UxXmlNode* view, const wchar_t* name);
    void Draw(UxListItemPainter& painter, const std::wstring& text, bool selected)
    {
        Draw(painter, text, selected, rect);
    }
    // The same at another place in the row.
    void Draw(UxListItemPainter& painter, const std::wstring& text, bool selected, const plat::RECT& at);

    UxTextItem look[2];
    plat::RECT rect {};
};

// What every row shares: its height, the fill of rows that are not selected and of the
// list's background, the selection bar and the line under each row.
struct RowFrame {
    static constexpr int32_t kMaxItemHeight = 640;

    // "_TableViewItemHeight", "_BackColor", "SelectionBar" and "Line".
    bool Read(UxXmlNode* view);
    // An item or header row of the shared height.
    UxListRow MakeRow(int32_t kind, uintptr_t data = 0) const;

    RowImage selectionBar;
    RowImage line;
    int32_t itemHeight = 56;
    plat::COLORREF backColor = 0xFFFFFF;
};
