#pragma once

#include "app/buddies/FilledBar.h"
#include "ux/widgets/UxLabel.h"

// The two lines of help above the group name field.
class GroupAddTitleBar : public FilledBar {
public:
    ~GroupAddTitleBar() override;

    bool Build(UxXmlNode* node);

    UxLabel HelpText1;
    UxLabel HelpText2;
};
