#pragma once

#include "app/buddies/BuddyListView.h"

// The buddy picker's list: the buddy list's groups and rows with a check box on every
// buddy. A buddy's tick lives in its record, so its rows in two groups share it.
class BuddySelectView : public BuddyListView {
public:
    // The buddy list's items and the two check boxes.
    bool Build(UxXmlNode* node);
    // The rows for a picker mode: buddies who are not offline for invitations (0), all
    // of them for memo receivers (1), without those left out (user ids). The sort
    // option itself stays as it is. True.
    bool Reload(int32_t mode, const std::set<std::wstring>& leftOut = {});

    // Ticks or unticks the buddy of the row.
    void OnRowClicked(int32_t index, int32_t x, int32_t y) override;

protected:
    // A group row shows its name alone; a buddy row its tick and no arrow.
    bool DrawItems(UxListItemPainter& painter, int32_t index, bool selected) override;

private:
    RowImage m_unchecked;
    RowImage m_checked;
};
