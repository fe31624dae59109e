#pragma once

#include "ux/widgets/UxImageWindow.h"
#include "ux/widgets/UxLabel.h"

// The title strip under the tab bar of the chat list and the option list: a background,
// an icon and a text, all from the skin.
class IconTitleBar : public UxWindow {
public:
    ~IconTitleBar() override;

    // The window keys, then the three children from the node's children of the same
    // names. False when the node is missing or a part fails.
    bool ApplySkin(UxXmlNode* node) override;

    UxImageWindow BackSkin;
    UxImageWindow Icon;
    UxLabel Text;
};
