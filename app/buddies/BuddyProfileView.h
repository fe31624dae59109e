#pragma once

#include "app/shell/FramedList.h"
#include "app/buddies/ShownBuddy.h"

#include <string>

class Buddy;
class Group;

// One buddy's profile as seven fixed rows: name (with the chat and memo icons), status,
// nick, birthday, e-mail, mobile and group. The buddy and the group are held by their
// ids and looked up on every use.
class BuddyProfileView : public FramedList {
public:
    enum Rows { RowName, RowStatus, RowNick, RowBirthday, RowEmail, RowMobile, RowGroup, RowCount };

    // The frame, the row items and the seven rows.
    bool ApplySkin(UxXmlNode* node) override;

    void SetBuddy(const std::wstring& buddyId, const std::wstring& groupId);
    void SetGroup(const std::wstring& groupId) { m_shown.groupId = groupId; }
    const std::wstring& GetBuddyId() const { return m_shown.buddyId; }
    const std::wstring& GetGroupId() const { return m_shown.groupId; }
    // The shown buddy and group as the lists hold them now; null when gone.
    Buddy* GetBuddy() const { return m_shown.GetBuddy(); }
    const Group* GetGroup() const { return m_shown.GetGroup(); }

    // "2월 15일 (음력)" from "yyyyMMdd"; empty when there is no date in it.
    static std::wstring BirthdayText(const Buddy& buddy);
    // The label of a row and the buddy's value in it.
    static std::wstring RowLabel(int32_t row);
    static std::wstring RowValue(int32_t row, const Buddy& buddy, const Group* group);

    void OnRowClicked(int32_t index, int32_t x, int32_t y) override;

protected:
    bool DrawItems(UxListItemPainter& painter, int32_t index, bool selected) override;

private:
    RowText m_label;
    RowText m_value;
    RowImage m_buddyIcon;
    RowImage m_chatIcon;
    RowImage m_memoIcon;
    RowImage m_disclosure;
    ShownBuddy m_shown;
};
