#pragma once

#include "app/shell/FramedList.h"

#include <string>

class UxXmlNode;

// The settings, one row each: what it is on the left, its current value on the right,
// and an arrow to the page that changes it. The values are read at every paint.
class OptionListView : public FramedList {
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

    OptionListView()
        : FramedList(52)
    {
    }

    // The frame, the row items and the eight rows. False when the node is missing or an
    // item fails.
    bool ApplySkin(UxXmlNode* node) override;

    void OnRowHeld(int32_t, int32_t, int32_t) override { }
    // Opens the row's page; nothing while a page is sliding or the list is not on top.
    void OnRowClicked(int32_t index, int32_t x, int32_t y) override;

    // What a row is called, and the value it shows now ("" for the service information).
    static std::wstring GetLeftText(int32_t row);
    static std::wstring GetRightText(int32_t row);

protected:
    bool DrawItems(UxListItemPainter& painter, int32_t index, bool selected) override;

private:
    RowText m_leftText;
    RowText m_rightText;
    RowImage m_disclosure;
};
