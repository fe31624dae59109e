#pragma once

#include "app/shell/FramedList.h"

#include <string>
#include <vector>

// Every group by name with a radio button; the tapped one is the choice.
class GroupSelectView : public FramedList {
public:
    // The frame and the row items.
    bool ApplySkin(UxXmlNode* node) override;
    // The groups' names anew, sorted; the row of the selected name is checked, or "기타"
    // when none is selected, or no row when neither is there. 1.
    int Reload();

    const std::wstring& GetSelectedName() const { return m_selectedName; }
    void SetSelectedName(const std::wstring& name) { m_selectedName = name; }
    int32_t GetChecked() const { return m_checked; }
    const std::vector<std::wstring>& GetNames() const { return m_names; }

    void OnRowClicked(int32_t index, int32_t x, int32_t y) override;

protected:
    bool DrawItems(UxListItemPainter& painter, int32_t index, bool selected) override;

private:
    RowText m_groupName;
    RowImage m_checkedBox;
    RowImage m_uncheckedBox;
    std::vector<std::wstring> m_names;
    int32_t m_checked = -1;
    std::wstring m_selectedName;
};
