#pragma once

#include "app/shell/FramedList.h"
#include "ux/widgets/UxLabel.h"

#include <string>
#include <vector>

class Buddy;

// The people who asked to become the user's buddy (on the reverse list only), sorted by
// name, each with its status icon, name and id; a help text while there are none. Rows
// keep the requesters' ids and look them up when drawn.
class BuddyRequestListView : public FramedList {
public:
    ~BuddyRequestListView() override;

    // The frame, the row items and "HelpText".
    bool ApplySkin(UxXmlNode* node) override;
    // Every row anew from BuddyList. 1.
    int Reload();
    // Anew when the requests changed, else a repaint (a requester's status).
    void Refresh();

    // The requesters' user ids in row order.
    const std::vector<std::wstring>& GetRequests() const { return m_emails; }
    // A buddy that asked and is on no other list of the user.
    static bool IsRequest(const Buddy& buddy);

    void OnRowClicked(int32_t index, int32_t x, int32_t y) override;

    UxLabel HelpText;

protected:
    // Only the background for a requester no longer in the list.
    bool DrawItems(UxListItemPainter& painter, int32_t index, bool selected) override;

private:
    // The requesters' ids in display order.
    static std::vector<std::wstring> Collect();

    RowImage m_buddyIcon;
    RowText m_buddyName;
    RowText m_buddyId;
    RowImage m_disclosure;
    std::vector<std::wstring> m_emails;
};
