#pragma once

#include "ux/core/UxWindow.h"
#include "ux/widgets/UxLinearLayout.h"

#include <vector>

class UxCheckButton;

// A row of equal check-button tabs of which one is selected; a selection is reported to
// the parent as EventTabSelected with the index in EventParam1.
class UxTabWindow : public UxWindow {
public:
    static constexpr int32_t EventTabSelected = 9;

    ~UxTabWindow() override;

    bool OnChildEvent(UxWindow* child, int32_t code) override;
    virtual void OnTabSelected(int32_t index);

    // "NumTabs" makes the tabs, then "Tab1", "Tab2" ... give each its look.
    bool ApplySkin(UxXmlNode* node) override;

    // Checks and locks the tab at index, releases the others and tells the parent; a
    // parent that answers false stops the walk. An index outside the tabs releases all.
    bool Select(int32_t index);
    UxCheckButton* GetTab(int32_t index) const;
    int32_t GetTabCount() const { return int32_t(m_tabs.size()); }

private:
    UxLinearLayout m_layout;
    std::vector<UxCheckButton*> m_tabs;
};
