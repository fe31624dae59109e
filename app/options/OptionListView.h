#pragma once

#include "ux/graphics/UxImageItem.h"
#include "ux/graphics/UxTextItem.h"
#include "ux/widgets/UxListWindow.h"

#include <string>

class UxXmlNode;

// The settings, one row each: what it is on the left, its current value on the right,
// and an arrow to the page that changes it. The values are read at every paint.
class OptionListView : public UxListWindow {
public:
    enum Row {
        RowStatus = 0,
        RowNick = 1,
        RowChatType = 2,
        RowViewType = 3,
        RowSortType = 4,
        RowNotifyType = 5,
        RowNotifyScopes = 6,
        RowServiceInfo = 7,
        RowCount = 8,
    };

    // Applies the node, reads the row items, height and colours from it and adds the
    // eight rows. False when the node is missing or an item fails.
    bool Create(UxXmlNode* node);

    bool PaintBackground(UxDeviceContext* surface, const plat::RECT& rect) override;
    bool DrawRow(
        UxDeviceContext* surface, int32_t index, const plat::RECT& clip, const plat::RECT& rowClip) override;
    void OnRowHeld(int32_t, int32_t, int32_t) override { }
    // Opens the row's page; nothing while a page is sliding or the list is not on top.
    void OnRowClicked(int32_t index, int32_t x, int32_t y) override;

    // What a row is called, and the value it shows now ("" for the service information).
    static std::wstring GetLeftText(int32_t row);
    static std::wstring GetRightText(int32_t row);

    int32_t GetItemHeight() const { return m_itemHeight; }

private:
    UxImageItem m_selectionBar;
    UxImageItem m_line;
    UxImageItem m_disclosure;
    UxTextItem m_leftText[2];
    UxTextItem m_rightText;

    plat::RECT m_selectionRect {};
    plat::RECT m_lineRect {};
    plat::RECT m_disclosureRect {};
    plat::RECT m_leftRect {};
    plat::RECT m_rightRect {};
    int32_t m_itemHeight = 52;
    plat::COLORREF m_backColor = 0xFFFFFF;
};
