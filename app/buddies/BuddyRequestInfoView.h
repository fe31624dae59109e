#pragma once

#include "app/buddies/RowParts.h"
#include "ux/widgets/UxListWindow.h"

#include <string>

class Buddy;
class Group;

// One buddy request: the requester's name and id, and the group the new buddy will
// join (a tap there chooses another). Requester and group are held by id.
class BuddyRequestInfoView : public UxListWindow {
public:
    enum Rows { RowName, RowId, RowGroup, RowCount };

    // Applies the node, reads the row items and adds the three rows.
    bool Build(UxXmlNode* node);

    void SetRequest(const std::wstring& buddyId, const std::wstring& groupId);
    void SetGroup(const std::wstring& groupId);
    const std::wstring& GetBuddyId() const { return m_buddyId; }
    const std::wstring& GetGroupId() const { return m_groupId; }
    // The requester and the group as the lists hold them now; null when gone.
    Buddy* GetBuddy() const;
    const Group* GetGroup() const;

    bool PaintBackground(UxDeviceContext* surface, const plat::RECT& rect) override;
    bool DrawRow(
        UxDeviceContext* surface, int32_t index, const plat::RECT& clip, const plat::RECT& rowClip) override;
    void OnRowClicked(int32_t index, int32_t x, int32_t y) override;

private:
    RowFrame m_frame;
    RowText m_label;
    RowText m_value;
    RowImage m_disclosure;
    std::wstring m_buddyId;
    std::wstring m_groupId;
};
