#pragma once

#include "app/shell/FramedList.h"
#include "ux/widgets/UxButton.h"
#include "ux/widgets/UxEdit.h"
#include "ux/widgets/UxPopup.h"

#include <string>

// The form of the buddy add screen: the other person's id as a name and a mail domain,
// the message sent with the request, and the group the new buddy joins. Four fixed
// rows with their frames; the edits and the domain button lie over them.
class BuddyAddView : public FramedList {
public:
    enum Rows { RowId, RowDomain, RowMessage, RowGroup, RowCount };

    ~BuddyAddView() override;

    // The frame, the row items, the edits and the button from the children of their
    // names (the domain starts as the service's own), and the rows.
    bool ApplySkin(UxXmlNode* node) override;

    bool OnPointerDown(int32_t x, int32_t y) override;
    bool OnChildEvent(UxWindow* child, int32_t code) override;
    void OnRowClicked(int32_t index, int32_t x, int32_t y) override;

    // The group the new buddy joins, by name ("기타" at first).
    const std::wstring& GetGroupName() const { return m_groupName; }
    void SetGroupName(const std::wstring& name);
    // The entries as the form was built: no id or message, the service's own domain as
    // the domain box first showed it, and the group "기타".
    void Clear();

    UxEdit IdEdit;
    UxEdit AccountEdit;
    UxButton AccountButton;
    UxEdit RequestMessage;

protected:
    bool DrawItems(UxListItemPainter& painter, int32_t index, bool selected) override;

private:
    // The edit whose frame lies under the point (screen space), null when none.
    UxEdit* EditFramedAt(int32_t x, int32_t y);

    RowText m_label;
    RowText m_value;
    RowImage m_idSkin;
    RowImage m_accountSkin;
    RowImage m_disclosure;
    std::wstring m_groupName = L"기타";
    // How the skin made the domain box: a domain chosen from the menu changes it.
    int32_t m_domainStyles = 0;
};
