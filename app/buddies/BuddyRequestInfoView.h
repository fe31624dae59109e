#pragma once

#include "app/shell/FramedList.h"
#include "app/buddies/ShownBuddy.h"

#include <string>

class Buddy;
class Group;

// One buddy request: the requester's name and id, and the group the new buddy will
// join (a tap there chooses another). Requester and group are held by id.
class BuddyRequestInfoView : public FramedList {
public:
    enum Rows { RowName, RowId, RowGroup, RowCount };

    // The frame, the row items and the three rows.
    bool ApplySkin(UxXmlNode* node) override;

    void SetRequest(const std::wstring& buddyId, const std::wstring& groupId);
    void SetGroup(const std::wstring& groupId);
    const std::wstring& GetBuddyId() const { return m_shown.buddyId; }
    const std::wstring& GetGroupId() const { return m_shown.groupId; }
    // The requester and the group as the lists hold them now; null when gone.
    Buddy* GetBuddy() const { return m_shown.GetBuddy(); }
    const Group* GetGroup() const { return m_shown.GetGroup(); }

    void OnRowClicked(int32_t index, int32_t x, int32_t y) override;

protected:
    bool DrawItems(UxListItemPainter& painter, int32_t index, bool selected) override;

private:
    RowText m_label;
    RowText m_value;
    RowImage m_disclosure;
    ShownBuddy m_shown;
};
