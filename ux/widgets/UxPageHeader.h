#pragma once

#include "ux/core/UxPanel.h"
#include "ux/widgets/UxButton.h"
#include "ux/widgets/UxImageWindow.h"
#include "ux/widgets/UxLabel.h"

// A page's title bar: a back image, a previous button, a title and a next button.
// Subclasses act on the buttons in OnChildEvent.
class UxPageHeader : public UxPanel {
public:
    UxPageHeader();
    ~UxPageHeader() override;

    // "BackSkin", "PrevButton", "Title" and "NextButton", each when present.
    bool ApplySkin(UxXmlNode* node) override;

    UxImageWindow BackSkin;
    UxButton PrevButton;
    UxLabel Title;
    UxButton NextButton;
};
