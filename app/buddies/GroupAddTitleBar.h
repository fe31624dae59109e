#pragma once

#include "app/shell/FilledWindow.h"
#include "ux/widgets/UxLabel.h"

// The two lines of help above the group name field.
class GroupAddTitleBar : public FilledWindow {
public:
    ~GroupAddTitleBar() override;

    // The bar's keys, then its parts from the children of their names.
    bool ApplySkin(UxXmlNode* node) override;

    UxLabel HelpText1;
    UxLabel HelpText2;
};
