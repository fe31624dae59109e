#pragma once

#include "ux/core/UxWindow.h"
#include "ux/widgets/UxButton.h"
#include "ux/widgets/UxImageWindow.h"
#include "ux/widgets/UxLabel.h"
#include "ux/widgets/UxPopup.h"

class UxXmlNode;

// The bar above the memo list: the name of the box shown, the button that chooses the
// other box and the one that writes a new memo.
class MemoListTitleBar : public UxWindow {
public:
    ~MemoListTitleBar() override;

    // Applies the node, adds the children and builds them from its children of the same
    // names. False when a part fails.
    bool ApplySkin(UxXmlNode* node) override;
    bool OnChildEvent(UxWindow* child, int32_t code) override;

    // Names the box (0 received, 1 sent); other values leave the name.
    void ShowBox(int32_t box);
    // The choice of the box menu (result 1: a row was tapped).
    static void OnBoxChosen(uintptr_t context, UxPopup* popup, int32_t result);

    UxImageWindow BackSkin;
    UxLabel BoxText;
    UxButton BoxButton;
    UxButton WriteButton;
};
