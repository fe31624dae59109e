#pragma once

#include "app/shell/FramedList.h"
#include "app/shell/KeyStop.h"
#include "app/shell/MenuAccount.h"
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
    // The entries as the form was built: no id or message, the service's own domain
    // and the group "기타".
    void Clear();
    // The id to ask for; an id typed whole moves its domain to the domain box first.
    // False when the boxes make no single address.
    bool TakeAddress(std::wstring& id) { return MenuAccount::TakeAddress(IdEdit, AccountEdit, id); }
    // The group chooser for the new buddy, over this page.
    void OpenGroupChooser();
    // The keys go where they were before the group chooser was opened from its row by
    // them, else to the id.
    void FocusOnShow();

    UxEdit IdEdit;
    UxEdit AccountEdit;
    UxButton AccountButton;
    UxEdit RequestMessage;
    // The group row's place among the Tab stops; Space and Enter there open the chooser.
    KeyStop GroupStop;

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
    // The chooser was opened from the group row by the keyboard.
    bool m_backToGroup = false;
};
