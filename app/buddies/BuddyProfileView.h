#pragma once

#include "app/buddies/RowParts.h"
#include "ux/widgets/UxListWindow.h"

#include <string>

class Buddy;
class Group;

// One buddy's profile as seven fixed rows: name (with the chat and memo icons), status,
// nick, birthday, e-mail, mobile and group. The buddy and the group are held by their
// ids and looked up on every use, so a buddy that leaves the list, or a session that
// ends, leaves nothing behind that points at it.
class BuddyProfileView : public UxListWindow {
public:
    enum Rows { RowName, RowStatus, RowNick, RowBirthday, RowEmail, RowMobile, RowGroup, RowCount };

    // Applies the node, reads the row items and adds the seven rows.
    bool Build(UxXmlNode* node);

    void SetBuddy(const std::wstring& buddyId, const std::wstring& groupId);
    void SetGroup(const std::wstring& groupId) { m_groupId = groupId; }
    const std::wstring& GetBuddyId() const { return m_buddyId; }
    const std::wstring& GetGroupId() const { return m_groupId; }
    // The shown buddy and group as the lists hold them now; null when gone.
    Buddy* GetBuddy() const;
    const Group* GetGroup() const;

    // "2월 15일 (음력)" from "yyyyMMdd"; empty when there is no date in it.
    static std::wstring BirthdayText(const Buddy& buddy);
    // The label of a row and the buddy's value in it.
    static std::wstring RowLabel(int32_t row);
    static std::wstring RowValue(int32_t row, const Buddy& buddy, const Group* group);

    bool PaintBackground(UxDeviceContext* surface, const plat::RECT& rect) override;
    bool DrawRow(
        UxDeviceContext* surface, int32_t index, const plat::RECT& clip, const plat::RECT& rowClip) override;
    void OnRowClicked(int32_t index, int32_t x, int32_t y) override;

private:
    RowFrame m_frame;
    RowText m_label;
    RowText m_value;
    RowImage m_buddyIcon;
    RowImage m_chatIcon;
    RowImage m_memoIcon;
    RowImage m_disclosure;
    std::wstring m_buddyId;
    std::wstring m_groupId;
};
