#pragma once

#include "ux/core/UxWindow.h"
#include "ux/widgets/UxEdit.h"
#include "ux/widgets/UxEditFrame.h"
#include "ux/widgets/UxImageWindow.h"

class BuddyListView;

// The search field above the buddy list: what is typed filters the list at once; the
// clear button (shown instead of the search icon while there is a word) empties it.
class BuddyListSearchBar : public UxWindow {
public:
    ~BuddyListSearchBar() override;

    // Applies the node, adds the children and builds them from its children of the same
    // names. False when a part fails.
    bool Build(UxXmlNode* node, BuddyListView* view);
    bool OnChildEvent(UxWindow* child, int32_t code) override;

    // The search icon while the word is empty, the clear button otherwise.
    void UpdateIcons();
    // Empties the word; the filter and the icons stay as they are.
    void ClearSearchWord() { SearchWord.SetText(L""); }

    UxEditFrame BackSkin;
    UxEditFrame SearchIcon;
    UxImageWindow RollbackIcon;
    UxEdit SearchWord;

private:
    BuddyListView* m_view = nullptr;
};
