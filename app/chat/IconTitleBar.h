#pragma once

#include "ux/widgets/UxImageWindow.h"
#include "ux/widgets/UxLabel.h"

// A page's title line under the tab bar: a back image, an icon and a text, all from
// the skin.
class IconTitleBar : public UxWindow {
public:
    ~IconTitleBar() override;

    // Applies the section and builds the three parts from it; false when the section
    // cannot be applied.
    bool Create(UxXmlNode* section);

    UxLabel& GetText() { return m_text; }

private:
    UxImageWindow m_back;
    UxImageWindow m_icon;
    UxLabel m_text;
};
