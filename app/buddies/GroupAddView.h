#pragma once

#include "app/buddies/FilledBar.h"
#include "ux/widgets/UxEdit.h"
#include "ux/widgets/UxEditFrame.h"

// The new group's name in its frame; a press anywhere on the frame puts the caret there.
class GroupAddView : public FilledBar {
public:
    ~GroupAddView() override;

    // The bar's keys, then its parts from the children of their names.
    bool ApplySkin(UxXmlNode* node) override;

    UxEditFrame BackSkin;
    UxEdit GroupName;
};
